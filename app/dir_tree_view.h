#pragma once
// The folder tree pane of the main frame: it selects the start folder, tells the main frame when
// the selection changes, and carries the folder commands (new child and sibling folder, rename,
// delete, properties), the context menu and the screen-saver commands.
#include <string>

#include "drag_drop_dir_view.h"
#include "folder_count.h"

class CDirTreeView : public CDragDropDirView {
 public:
  // True when the class's command table has a handler for the command.
  static bool Handles(UINT id);
  // The commands the main frame hands to the pane wherever the focus is, so that they work from
  // the menus and accelerators (F2 is the tree's only while it has the focus).
  static bool IsFolderCommand(UINT id);

  void SelectPath(const std::string& path) { SelectNearestPath(path); }
  void RefreshSelected() { Refresh(Tree().GetSelectedItem()); }
  void ExpandSelected() { Tree().Expand(Tree().GetSelectedItem(), TVE_EXPAND); }
  HTREEITEM GetSelectedItem() const { return Tree().GetSelectedItem(); }

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CommandState& state) override;

 protected:
  void OnEndLabelEdit(HTREEITEM item, const char* text) override;
  // The summaries of the folders above both paths no longer tell what lies below them.
  void OnFolderRenamed(HTREEITEM item, const std::string& oldPath, const std::string& newPath) override;
  void OnFilesTransferred() override;
  void OnSelChanged() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG& message) override;

  // Polled before each entry while a folder is counted: Escape cuts the count short.
  virtual bool CountCancelled();
  // Asks the user; IDYES or IDNO. The permanent-delete question.
  virtual int AskPermanentDelete(const std::string& path);
  // True when the Confirm delete dialog ended with its Delete button.
  virtual bool ConfirmDelete(const std::string& path, const FolderCounts& counts);
  // Whether the drive of a path has a recycle bin the shell can put the folder into.
  virtual bool HasRecycleBin(const std::string& path);

 private:
  void SelectStartFolder();
  void ShowContextMenu(POINT point);
  // Counts the folder with the program-wide cancel flag; false when Escape stopped the count.
  bool CountFolder(const std::string& folder, FolderCounts& counts);

  // Commands and their update handlers.
  void OnNewChildFolder(UINT id);
  void OnNewSiblingFolder(UINT id);
  void OnRename(UINT id);
  void OnDeleteFolder(UINT id);
  void OnProperties(UINT id);
  void OnScreenSaver(UINT id);
  void OnUpdateNewChild(CommandState& state);
  void OnUpdateNewSibling(CommandState& state);
  void OnUpdateRename(CommandState& state);
  void OnUpdateDelete(CommandState& state);
  void OnUpdateProperties(CommandState& state);
  static const CommandEntry<CDirTreeView> kCommands[];

  // Makes "New Folder" under parent (whose path is folder) and starts naming it.
  void MakeNewFolder(HTREEITEM parent, const std::string& folder);
  bool ShellDelete(const std::string& target, bool toRecycleBin);
  void PostFolderChanged();

  bool newFolder_ = false;
  bool homeKeyDown_ = false;
};
