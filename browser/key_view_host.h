#pragma once
// What the Key view asks of the panes beside it: the thumbnail view shows search results and the
// folder, and keys its selection; the main frame shows status texts. The program joins them to
// the real panes; a test can stand in for them.
#include <string>

class CNameNode;

class KeyViewHost {
 public:
  virtual ~KeyViewHost() = default;

  // Shows the hits (file name, then folder, per node), in place of what is shown or added to it;
  // the chain stays the caller's. No chain and no merge: the view is emptied.
  virtual void ShowKeySearchResults(const CNameNode* hits, bool merge) = 0;
  // Adds the key of a Key view item to, or removes it from, every selected thumbnail's file.
  virtual void SetKeyOnSelected(void* key, bool add) = 0;
  // Shows a folder (ending in a backslash) again, ending a search display.
  virtual void ShowFolder(const std::string& folder) = 0;
  virtual void RedrawThumbnails() = 0;

  virtual void SetStatusText(const std::string& text) = 0;
  virtual void AppendStatusText(const std::string& text) = 0;
};
