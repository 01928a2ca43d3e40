#pragma once
// A pane that holds the shell folder tree (child id 256): it fills its client area with the tree,
// forwards the tree's operations, turns the tree's notifications into virtual hooks, and renames
// folders in place when a label edit ends.
#include <string>

#include "folder_rules.h"
#include "shell_tree_ctrl.h"
#include "tree_label_edit.h"
#include "control_pane.h"

class CNameSpaceTreeView : public ControlPane {
 public:
  static constexpr UINT kTreeId = 256;

  // The view window as a child of parent, and the tree inside it.
  virtual bool Create(HWND parent, UINT id);

  CShellTreeCtrl& Tree() { return tree_; }
  const CShellTreeCtrl& Tree() const { return tree_; }

  void RefreshAll() { tree_.Refresh(nullptr); }
  void Refresh(HTREEITEM item) { tree_.Refresh(item); }
  void SetShowLinks(bool on) { tree_.SetShowLinks(on); }
  void SetShowHidden(bool on) { tree_.SetShowHidden(on); }
  HTREEITEM SelectNearestPath(const std::string& path) { return tree_.SelectNearestPath(path); }
  HTREEITEM SelectIdList(LPCITEMIDLIST list) { return tree_.SelectIdList(list); }
  void RefreshDrive(DWORD unitMask) { tree_.RefreshDrive(unitMask); }
  std::string GetSelectedLinkPath() const { return tree_.GetSelectedLinkPath(); }
  std::string GetSelectedPath() const { return tree_.GetSelectedPath(); }
  std::string GetItemPath(HTREEITEM item) const { return tree_.GetItemPath(item); }
  bool IsFileSystemItem(HTREEITEM item = nullptr) const { return tree_.IsFileSystemItem(item); }
  bool IsDriveRoot(HTREEITEM item = nullptr) const { return tree_.IsDriveRoot(item); }
  bool IsRecycleBin(HTREEITEM item = nullptr) const { return tree_.IsRecycleBin(item); }
  bool IsLink(HTREEITEM item = nullptr) const { return tree_.IsLink(item); }
  bool IsScreenSaverItem(HTREEITEM item = nullptr) const { return tree_.IsScreenSaverItem(item); }

  // What the folder commands need to know of an item (none: nothing selected).
  FolderItemKind KindOf(HTREEITEM item) const;

 protected:
  // A label edit ended; text is what the user typed, or none when the edit was cancelled.
  virtual void OnEndLabelEdit(HTREEITEM item, const char* text);
  virtual void OnSelChanged() {}
  virtual void OnFolderRenamed(HTREEITEM, const std::string& /*oldPath*/, const std::string& /*newPath*/) {}
  virtual void OnBeginDrag(HTREEITEM) {}

  // The program's main window: the frame that holds this pane.
  HWND MainWindow() const { return ::GetAncestor(Handle(), GA_ROOT); }
  // A message box owned by the main window, with the program's caption.
  int Message(const std::string& text, UINT flags) const;
  // A folder about to be renamed or moved must not be the process's current directory or lie
  // above it (the system refuses to move it then): the directory moves to the folder's parent.
  static void LeaveFolder(const std::string& folder);

  bool OnControlNotify(NMHDR* header, LRESULT& result) override;

 private:
  void RenameInPlace(HTREEITEM item, const std::string& text);

  CShellTreeCtrl tree_;
  TreeLabelEdit labelEdit_;
};
