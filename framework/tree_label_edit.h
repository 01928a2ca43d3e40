#pragma once
// The in-place label edits of a tree control, one report each. The control may report the end of
// one edit twice (when the edit control loses the focus while the first report is handled); only
// the first counts. The text is read from the edit control, in the program's code page, whichever
// form the notification came in.
#include <windows.h>
#include <commctrl.h>

#include <string>

class TreeLabelEdit {
 public:
  struct Ended {
    HTREEITEM item = nullptr;
    bool cancelled = false;
    std::string text;
  };

  // A TVN_BEGINLABELEDIT notification of the tree.
  void Begin(const NMHDR* header);
  // A TVN_ENDLABELEDIT notification of the tree; false for a repeated report.
  bool End(const NMHDR* header, Ended& ended);

 private:
  HTREEITEM item_ = nullptr;
};
