#pragma once
// A tree of the shell namespace rooted at the desktop, filled lazily: an item's folders are
// enumerated from the shell the first time it is expanded. It finds file-system paths (expanding
// the levels on the way), refreshes while keeping the user's expanded folders, and takes the
// private messages of shell_tree_messages.h from owners that changed the disk.
//
// Every item's data is its CShellItem record, owned by the item. The control's own notifications
// must be reflected to it (its parent is a framework window or dialog); COM must be initialised
// on its thread.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "com_ptr.h"
#include "shell_item.h"
#include "tree_control.h"

class CShellTreeCtrl : public TreeControl {
 public:
  CShellTreeCtrl() = default;
  ~CShellTreeCtrl() override;

  // Creation and options. The style gains TVS_HASBUTTONS, TVS_HASLINES and the add bits of
  // SetStyleBits, then loses its remove bits; the control fills its root once it exists.
  void SetStyleBits(DWORD add, DWORD remove);
  bool Create(DWORD style, const RECT& area, HWND parent, UINT id);
  // For a tree control taken over with Subclass (a dialog's): the image list and the root.
  void InitialFill();
  // These take effect at the next enumeration.
  void SetShowLinks(bool on) { showLinks_ = on; }
  void SetShowHidden(bool on) { showHidden_ = on; }
  // The desktop folder's path, the path of the root item.
  void SetDesktopPath(const std::string& path) { desktopPath_ = path; }
  // The screen saver's folder (program folder + "\vnsaver", the pseudo item's path) and program
  // (program folder + "\vnsaver.scr", whose icon the item shows).
  void SetScreenSaverPaths(const std::string& folder, const std::string& program);

  // Expanding an item first enumerates its folders when it has none yet.
  bool Expand(HTREEITEM item, UINT code) override;

  // Look-up and selection: the item found, or none. A path the shell parses yields the deepest
  // item reached on its way (at least the root).
  HTREEITEM FindItemByPath(const std::string& path);
  HTREEITEM FindItemByIdList(LPCITEMIDLIST list);
  // A path of item texts from the root, each followed by a backslash (see GetItemDisplayPath).
  HTREEITEM FindItemByDisplayPath(const std::string& displayPath);
  HTREEITEM SelectIdList(LPCITEMIDLIST list);
  HTREEITEM SelectDisplayPath(const std::string& displayPath);
  // Selects the path, or when it is gone its nearest existing ancestor, down to its drive.
  HTREEITEM SelectNearestPath(const std::string& path);
  HTREEITEM ExpandPath(const std::string& path);

  // Paths and predicates. For the predicates, no item means the selected one, and no window or
  // no selection gives false.
  // The item's file-system path without a trailing backslash ("C:" for a drive); empty for
  // virtual folders such as My Computer.
  std::string GetItemPath(HTREEITEM item) const;
  std::string GetSelectedPath() const;
  // The selected shortcut's own file, or empty.
  std::string GetSelectedLinkPath() const;
  std::string GetItemDisplayPath(HTREEITEM item) const;
  std::string GetItemRawPath(HTREEITEM item) const;
  std::string GetItemDisplayName(HTREEITEM item) const;
  // 1 for the root; 0 for none.
  int GetItemDepth(HTREEITEM item) const;
  bool IsFileSystemItem(HTREEITEM item = nullptr) const;
  bool IsDriveRoot(HTREEITEM item = nullptr) const;
  bool IsRootItem(HTREEITEM item = nullptr) const;
  bool IsScreenSaverItem(HTREEITEM item = nullptr) const;
  bool IsLink(HTREEITEM item = nullptr) const;
  bool IsRecycleBin(HTREEITEM item = nullptr) const;
  // The owner's context submenu index: 5 for the screen-saver item, else 1.
  int GetImageKind() const;
  int CountChildren(HTREEITEM item) const;

  // Changing the tree.
  // Enumerates the item's folders again (none: the whole tree), keeping expanded folders
  // expanded and, for the whole tree, the selection.
  void Refresh(HTREEITEM item = nullptr);
  // A drive whose medium changed (lowest set bit of the mask; bit 0 is A): its folders are
  // enumerated again at its next expansion.
  void RefreshDrive(DWORD unitMask);
  // After the owner renamed the item's folder on disk to newPath: the item takes the new name
  // and record. False, with nothing changed, when the new name is not a valid folder name or
  // the shell cannot find it.
  bool RenameItem(HTREEITEM item, const std::string& oldPath, const std::string& newPath);
  // TVI_ROOT: every item.
  void DeleteChildren(HTREEITEM item);

 protected:
  // The selection is about to move to newItem.
  virtual void SelChanging(HTREEITEM) {}

  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

 private:
  CShellItem* Record(HTREEITEM item) const;
  HTREEITEM OrSelected(HTREEITEM item) const;
  // The record's flag for the item (none: the selection); false without a record.
  bool HasFlag(HTREEITEM item, bool (CShellItem::*flag)() const) const;
  bool IsFileSystemRecord(const CShellItem& record) const;
  bool ContainsItem(HTREEITEM item) const;

  HTREEITEM InsertRoot();
  HTREEITEM InsertShellItem(HTREEITEM parent, std::unique_ptr<CShellItem> record);
  ComPtr<IShellFolder> GetItemFolder(HTREEITEM item) const;
  bool EnumeratesHidden(const CShellItem& record) const;
  bool HasAnySubfolder(HTREEITEM item) const;
  void FillChildren(HTREEITEM item);
  int InsertChildren(HTREEITEM item, IShellFolder* folder, SHCONTF kinds);
  void SortInShellOrder(HTREEITEM parent);
  static int CALLBACK CompareInShellOrder(LPARAM first, LPARAM second, LPARAM self);
  HTREEITEM FindChild(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST element) const;
  HTREEITEM FindDriveItem(const std::string& root) const;

  // Frees the records of an item and all below it, leaving their item data empty.
  void ReleaseRecords(HTREEITEM item);
  void DeleteWithRecords(HTREEITEM item);
  // Collapsed, without children, but with an expand button that enumerates again.
  void ResetChildren(HTREEITEM item);
  void CollectExpanded(HTREEITEM item, std::vector<std::string>& displayPaths) const;
  void RefreshAll();

  void OnAddFolder(HTREEITEM parent, const char* path);
  HTREEITEM InsertFolder(HTREEITEM parent, const char* path);
  void OnDeleteChild(HTREEITEM parent, HTREEITEM child);

  HIMAGELIST systemImages_ = nullptr;
  IShellFolder* sortFolder_ = nullptr;  // the folder of the children being sorted, during a sort
  bool showLinks_ = false;
  bool filled_ = false;
  bool showHidden_ = false;
  DWORD addStyle_ = 0;
  DWORD removeStyle_ = 0;
  std::string desktopPath_;
  std::string screenSaverFolder_;
  std::string screenSaverProgram_;
};
