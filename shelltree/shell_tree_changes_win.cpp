// The shell folder tree: refreshing, renaming, and folders added or removed by the owner.
#include <cstring>
#include <vector>

#include "shell_path_rules.h"
#include "shell_tree_ctrl.h"

void CShellTreeCtrl::ResetChildren(HTREEITEM item) {
  TreeControl::Expand(item, TVE_COLLAPSE);
  DeleteChildren(item);
  // Forget the earlier expansion, so the next one enumerates again; the selection stays as it is.
  SetItemState(item, 0, TVIS_EXPANDED | TVIS_EXPANDEDONCE | TVIS_EXPANDPARTIAL);
  SetHasChildrenMarker(item, true);
}

void CShellTreeCtrl::CollectExpanded(HTREEITEM item, std::vector<std::string>& displayPaths) const {
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    const HTREEITEM next = pending.back();
    pending.pop_back();
    if (!GetItemState(next, TVIS_EXPANDED)) continue;
    displayPaths.push_back(GetItemDisplayPath(next));
    for (HTREEITEM child = GetChildItem(next); child; child = GetNextSiblingItem(child)) pending.push_back(child);
  }
}

void CShellTreeCtrl::Refresh(HTREEITEM item) {
  if (!item) {
    RefreshAll();
    return;
  }
  std::vector<std::string> expanded;
  CollectExpanded(item, expanded);
  ResetChildren(item);
  for (const std::string& displayPath : expanded) Expand(FindItemByDisplayPath(displayPath), TVE_EXPAND);
  Expand(item, TVE_EXPAND);
}

void CShellTreeCtrl::RefreshAll() {
  std::vector<std::string> expanded;
  if (const HTREEITEM root = GetRootItem()) CollectExpanded(root, expanded);
  const HTREEITEM selected = GetSelectedItem();
  const std::string selectedPath = selected ? GetItemDisplayPath(selected) : std::string();
  DeleteChildren(TVI_ROOT);
  Expand(InsertRoot(), TVE_EXPAND);
  // Folders that are gone stop each walk at their nearest parent.
  for (const std::string& displayPath : expanded) Expand(FindItemByDisplayPath(displayPath), TVE_EXPAND);
  if (!selectedPath.empty()) SelectDisplayPath(selectedPath);
}

HTREEITEM CShellTreeCtrl::FindDriveItem(const std::string& root) const {
  for (HTREEITEM top = GetChildItem(GetRootItem()); top; top = GetNextSiblingItem(top)) {
    const CShellItem* record = Record(top);
    if (!record || !record->IsMyComputer()) continue;
    for (HTREEITEM drive = GetChildItem(top); drive; drive = GetNextSiblingItem(drive)) {
      const CShellItem* driveRecord = Record(drive);
      if (driveRecord && _stricmp(driveRecord->ParsePath(), root.c_str()) == 0) return drive;
    }
  }
  return nullptr;
}

void CShellTreeCtrl::RefreshDrive(DWORD unitMask) {
  // Only a drive already shown has anything to forget; the tree is not opened to find one.
  const std::string root = DriveRootOfUnitMask(unitMask);
  const HTREEITEM drive = root.empty() ? nullptr : FindDriveItem(root);
  if (drive) ResetChildren(drive);
}

bool CShellTreeCtrl::RenameItem(HTREEITEM item, const std::string& /*oldPath*/, const std::string& newPath) {
  const std::string name = LastPathComponent(newPath);
  const HTREEITEM parent = item ? GetParentItem(item) : nullptr;
  const CShellItem* parentRecord = Record(parent);
  if (!IsAcceptableFolderName(name) || !Record(item) || !parentRecord) return false;
  const ComPtr<IShellFolder> parentFolder = GetItemFolder(parent);
  std::unique_ptr<CShellItem> record = CShellItem::Make(IdList::Parse(parentFolder.get(), name),
                                                        parentRecord->ChildrenParentList(), parentFolder.get(),
                                                        parentRecord->IsRoot());
  if (!record) return false;
  SetItemText(item, name);
  delete Record(item);
  SetItemData(item, reinterpret_cast<LPARAM>(record.release()));
  SetHasChildrenMarker(parent, true);
  SortInShellOrder(parent);
  TreeControl::Expand(item, TVE_COLLAPSE);
  // Children found under the old name are listed again under the new one.
  if (ItemHasChildren(item)) ResetChildren(item);
  return true;
}

void CShellTreeCtrl::OnAddFolder(HTREEITEM parent, const char* path) {
  if (!path || !ContainsItem(parent)) return;
  if (!ItemHasChildren(parent)) {
    if (!GetItemState(parent, TVIS_EXPANDED)) {
      SetHasChildrenMarker(parent, true);
      return;
    }
    Expand(parent, TVE_EXPAND);  // enumerates the disk, which holds the new folder
    if (ItemHasChildren(parent)) return;
  }
  InsertFolder(parent, path);
}

HTREEITEM CShellTreeCtrl::InsertFolder(HTREEITEM parent, const char* path) {
  const CShellItem* parentRecord = Record(parent);
  if (!path || !parentRecord) return nullptr;
  const ComPtr<IShellFolder> folder = GetItemFolder(parent);
  IdList relative = IdList::Parse(folder.get(), LastPathComponent(path));
  if (!relative) return nullptr;
  // A folder the tree lists already (a copy merged into a namesake) is not listed twice.
  if (const HTREEITEM existing = FindChild(parent, folder.get(), relative.Get())) return existing;
  const HTREEITEM item = InsertShellItem(
      parent, CShellItem::Make(std::move(relative), parentRecord->ChildrenParentList(), folder.get(),
                               parentRecord->IsRoot()));
  if (!item) return nullptr;
  SetHasChildrenMarker(parent, true);
  SortInShellOrder(parent);
  return item;
}

void CShellTreeCtrl::OnDeleteChild(HTREEITEM parent, HTREEITEM child) {
  if (!child || !ContainsItem(parent)) return;
  HTREEITEM listed = GetChildItem(parent);
  while (listed && listed != child) listed = GetNextSiblingItem(listed);
  if (!listed) return;
  DeleteWithRecords(child);
  if (!ItemHasChildren(parent)) SetHasChildrenMarker(parent, false);
}
