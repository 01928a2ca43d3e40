// The shell folder tree: finding and selecting paths, and what the tree tells about its items.
#include <vector>

#include "folder_rules.h"
#include "shell_path_rules.h"
#include "shell_tree_ctrl.h"

HTREEITEM CShellTreeCtrl::FindItemByPath(const std::string& path) {
  // Some shells crash on other forms (Wine's on a Unix path such as "/tmp/photos").
  if (!IsAbsolutePath(path)) return nullptr;
  const ComPtr<IShellFolder> desktop = DesktopFolder();
  const IdList list = IdList::Parse(desktop.get(), path);
  return list ? FindItemByIdList(list.Get()) : nullptr;
}

HTREEITEM CShellTreeCtrl::FindChild(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST element) const {
  for (HTREEITEM child = GetChildItem(parent); child; child = GetNextSiblingItem(child)) {
    const CShellItem* record = Record(child);
    if (record && record->Relative() && SameIdList(folder, record->Relative(), element)) return child;
  }
  return nullptr;
}

HTREEITEM CShellTreeCtrl::FindItemByIdList(LPCITEMIDLIST list) {
  HTREEITEM current = GetRootItem();
  if (!current || !list) return current;
  // One level per element; the walk ends at the first element not found, so a missing folder
  // never lets a later element match a namesake elsewhere.
  for (LPCITEMIDLIST element = list; element->mkid.cb != 0;
       element = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(element) + element->mkid.cb)) {
    const IdList single = IdList::CopyFirstLevel(element);
    Expand(current, TVE_EXPAND);
    const ComPtr<IShellFolder> folder = GetItemFolder(current);
    const HTREEITEM match = single && folder ? FindChild(current, folder.get(), single.Get()) : nullptr;
    if (!match) break;
    current = match;
  }
  return current;
}

HTREEITEM CShellTreeCtrl::FindItemByDisplayPath(const std::string& displayPath) {
  HTREEITEM found = GetRootItem();
  HTREEITEM candidate = found;
  const std::vector<std::string> names = DisplayPathComponents(displayPath);
  for (size_t level = 0; level < names.size(); ++level) {
    while (candidate && GetItemText(candidate) != names[level]) candidate = GetNextSiblingItem(candidate);
    if (!candidate) break;
    found = candidate;
    // Only a folder the path goes through is expanded; the one it names keeps its state.
    if (level + 1 < names.size()) {
      Expand(found, TVE_EXPAND);
      candidate = GetChildItem(found);
    }
  }
  return found;
}

HTREEITEM CShellTreeCtrl::SelectIdList(LPCITEMIDLIST list) {
  const HTREEITEM item = FindItemByIdList(list);
  if (item) SelectItem(item);
  return item;
}

HTREEITEM CShellTreeCtrl::SelectDisplayPath(const std::string& displayPath) {
  const HTREEITEM item = FindItemByDisplayPath(displayPath);
  if (item) SelectItem(item);
  return item;
}

HTREEITEM CShellTreeCtrl::SelectNearestPath(const std::string& path) {
  for (const std::string& candidate : NearestPathCandidates(path)) {
    if (const HTREEITEM item = FindItemByPath(candidate)) {
      SelectItem(item);
      return item;
    }
  }
  return nullptr;
}

HTREEITEM CShellTreeCtrl::ExpandPath(const std::string& path) {
  const HTREEITEM item = FindItemByPath(path);
  if (item) Expand(item, TVE_EXPAND);
  return item;
}

bool CShellTreeCtrl::IsFileSystemRecord(const CShellItem& record) const {
  if (record.IsRoot() || record.IsRecycleBin()) return true;
  return !record.IsScreenSaver() && IsFileSystemParsePath(record.ParsePath());
}

std::string CShellTreeCtrl::GetItemPath(HTREEITEM item) const {
  const CShellItem* record = Record(item);
  if (!record) return std::string();
  if (record->IsRoot()) return WithoutTrailingBackslash(desktopPath_);
  if (record->IsLink()) return WithoutTrailingBackslash(record->LinkTargetPath());
  if (record->IsScreenSaver() || IsFileSystemRecord(*record)) return WithoutTrailingBackslash(record->ParsePath());
  return std::string();
}

std::string CShellTreeCtrl::GetSelectedPath() const { return GetItemPath(GetSelectedItem()); }

std::string CShellTreeCtrl::GetSelectedLinkPath() const {
  const CShellItem* record = Record(GetSelectedItem());
  return record && record->IsLink() ? record->ParsePath() : std::string();
}

std::string CShellTreeCtrl::GetItemDisplayPath(HTREEITEM item) const {
  std::vector<const CShellItem*> chain;
  for (; item; item = GetParentItem(item)) chain.push_back(Record(item));
  std::string displayPath;
  for (auto record = chain.rbegin(); record != chain.rend(); ++record) {
    if (*record) displayPath.append((*record)->DisplayName()).push_back('\\');
  }
  return displayPath;
}

std::string CShellTreeCtrl::GetItemRawPath(HTREEITEM item) const {
  const CShellItem* record = Record(item);
  return record ? record->ParsePath() : std::string();
}

std::string CShellTreeCtrl::GetItemDisplayName(HTREEITEM item) const {
  const CShellItem* record = Record(item);
  return record ? record->DisplayName() : std::string();
}

int CShellTreeCtrl::GetItemDepth(HTREEITEM item) const {
  int depth = 0;
  for (; item; item = GetParentItem(item)) ++depth;
  return depth;
}

HTREEITEM CShellTreeCtrl::OrSelected(HTREEITEM item) const {
  if (!Handle()) return nullptr;
  return item ? item : GetSelectedItem();
}

bool CShellTreeCtrl::IsFileSystemItem(HTREEITEM item) const {
  const CShellItem* record = Record(OrSelected(item));
  return record && IsFileSystemRecord(*record);
}

bool CShellTreeCtrl::IsDriveRoot(HTREEITEM item) const {
  const CShellItem* record = Record(OrSelected(item));
  return record && IsDriveRootPath(record->ParsePath());
}

bool CShellTreeCtrl::HasFlag(HTREEITEM item, bool (CShellItem::*flag)() const) const {
  const CShellItem* record = Record(OrSelected(item));
  return record && (record->*flag)();
}

bool CShellTreeCtrl::IsRootItem(HTREEITEM item) const { return HasFlag(item, &CShellItem::IsRoot); }
bool CShellTreeCtrl::IsScreenSaverItem(HTREEITEM item) const { return HasFlag(item, &CShellItem::IsScreenSaver); }
bool CShellTreeCtrl::IsLink(HTREEITEM item) const { return HasFlag(item, &CShellItem::IsLink); }
bool CShellTreeCtrl::IsRecycleBin(HTREEITEM item) const { return HasFlag(item, &CShellItem::IsRecycleBin); }

int CShellTreeCtrl::GetImageKind() const { return IsScreenSaverItem() ? 5 : 1; }

int CShellTreeCtrl::CountChildren(HTREEITEM item) const {
  int count = 0;
  for (HTREEITEM child = item ? GetChildItem(item) : nullptr; child; child = GetNextSiblingItem(child)) ++count;
  return count;
}

bool CShellTreeCtrl::ContainsItem(HTREEITEM item) const {
  if (!item || !Handle()) return false;
  std::vector<HTREEITEM> pending;
  for (HTREEITEM top = GetRootItem(); top; top = GetNextSiblingItem(top)) pending.push_back(top);
  while (!pending.empty()) {
    const HTREEITEM next = pending.back();
    pending.pop_back();
    if (next == item) return true;
    for (HTREEITEM child = GetChildItem(next); child; child = GetNextSiblingItem(child)) pending.push_back(child);
  }
  return false;
}
