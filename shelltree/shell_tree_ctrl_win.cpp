// The shell folder tree: creation, records, lazy filling and sorting, and its messages.
#include "shell_tree_ctrl.h"

#include <optional>

#include "shell_path_rules.h"
#include "shell_tree_messages.h"
#include "wait_cursor.h"

CShellTreeCtrl::~CShellTreeCtrl() {
  // Destroyed here, while this object can still free the records of its items.
  Destroy();
}

void CShellTreeCtrl::SetStyleBits(DWORD add, DWORD remove) {
  addStyle_ = add;
  removeStyle_ = remove;
}

void CShellTreeCtrl::SetScreenSaverPaths(const std::string& folder, const std::string& program) {
  screenSaverFolder_ = folder;
  screenSaverProgram_ = program;
}

bool CShellTreeCtrl::Create(DWORD style, const RECT& area, HWND parent, UINT id) {
  style = (style | TVS_HASBUTTONS | TVS_HASLINES | addStyle_) & ~removeStyle_;
  if (!CreateControl(WC_TREEVIEWA, 0, style, area, parent, id)) return false;
  InitialFill();
  return true;
}

void CShellTreeCtrl::InitialFill() {
  if (filled_ || !Handle()) return;
  SHFILEINFOA info = {};
  systemImages_ = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (systemImages_) SetImageList(systemImages_, TVSIL_NORMAL);
  filled_ = InsertRoot() != nullptr;
}

HTREEITEM CShellTreeCtrl::InsertRoot() {
  return InsertShellItem(TVI_ROOT, CShellItem::Make(IdList::OfSpecialFolder(CSIDL_DESKTOP), nullptr, nullptr, false));
}

CShellItem* CShellTreeCtrl::Record(HTREEITEM item) const {
  return item ? reinterpret_cast<CShellItem*>(GetItemData(item)) : nullptr;
}

HTREEITEM CShellTreeCtrl::InsertShellItem(HTREEITEM parent, std::unique_ptr<CShellItem> record) {
  if (!record) return nullptr;
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  TVITEMA& entry = insert.item;
  entry.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  entry.pszText = const_cast<char*>(record->DisplayName());
  entry.iImage = record->NormalIcon();
  entry.iSelectedImage = record->OpenIcon();
  entry.lParam = reinterpret_cast<LPARAM>(record.get());
  entry.cChildren = parent == TVI_ROOT || (record->Attributes() & SFGAO_HASSUBFOLDER) || record->IsLink();
  if (record->IsLink()) {
    entry.mask |= TVIF_STATE;
    entry.state = INDEXTOOVERLAYMASK(2);
    entry.stateMask = TVIS_OVERLAYMASK;
  }
  const HTREEITEM item = InsertItem(insert);
  if (!item) return nullptr;  // the record goes with the unique pointer
  const bool probe = !entry.cChildren && EnumeratesHidden(*record);
  record.release();  // owned by the item from here on
  if (probe && HasAnySubfolder(item)) SetHasChildrenMarker(item, true);
  return item;
}

bool CShellTreeCtrl::EnumeratesHidden(const CShellItem& record) const {
  if (!showHidden_ || !IsFileSystemParsePath(record.ParsePath())) return false;
  if (!IsDriveRootPath(record.ParsePath())) return true;
  // A drive root holds the system's own hidden folders; only FAT roots show theirs.
  char fileSystem[MAX_PATH] = {};
  return ::GetVolumeInformationA(record.ParsePath(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                 sizeof fileSystem) &&
         IsFatFileSystemName(fileSystem);
}

bool CShellTreeCtrl::HasAnySubfolder(HTREEITEM item) const {
  const ComPtr<IShellFolder> folder = GetItemFolder(item);
  ComPtr<IEnumIDList> entries;
  if (!folder || folder->EnumObjects(Handle(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN,
                                     reinterpret_cast<IEnumIDList**>(entries.out())) != S_OK ||
      !entries) {
    return false;
  }
  LPITEMIDLIST first = nullptr;
  ULONG fetched = 0;
  if (entries->Next(1, &first, &fetched) != S_OK || fetched != 1) return false;
  const IdList found(first);  // only its existence counts
  return true;
}

ComPtr<IShellFolder> CShellTreeCtrl::GetItemFolder(HTREEITEM item) const {
  const CShellItem* record = Record(item);
  if (!record || record->IsScreenSaver()) return ComPtr<IShellFolder>();
  if (record->IsFolderLink()) return BindFolder(DesktopFolder().get(), record->LinkTarget());
  if (record->IsRoot()) return DesktopFolder();
  const ComPtr<IShellFolder> parentFolder = GetItemFolder(GetParentItem(item));
  return BindFolder(parentFolder.get(), record->Relative());
}

bool CShellTreeCtrl::Expand(HTREEITEM item, UINT code) {
  if (!item) return false;
  const UINT action = code & (TVE_COLLAPSE | TVE_EXPAND);
  const bool opening =
      action == TVE_EXPAND || (action == TVE_TOGGLE && !GetItemState(item, TVIS_EXPANDED));
  if (opening && !ItemHasChildren(item)) {
    FillChildren(item);
    if (!ItemHasChildren(item)) return false;
  }
  return TreeControl::Expand(item, code);
}

void CShellTreeCtrl::FillChildren(HTREEITEM item) {
  const CShellItem* record = Record(item);
  if (!record || ItemHasChildren(item)) return;
  std::optional<WaitCursor> wait;
  if (!IsFileSystemRecord(*record)) wait.emplace();  // virtual folders can be slow to list
  const ComPtr<IShellFolder> folder = GetItemFolder(item);
  int count = 0;
  if (record->IsRoot()) {
    count += InsertShellItem(item, CShellItem::MakeScreenSaver(screenSaverFolder_, screenSaverProgram_)) != nullptr;
  }
  if (folder) {
    const SHCONTF hidden = EnumeratesHidden(*record) ? SHCONTF_INCLUDEHIDDEN : 0;
    count += InsertChildren(item, folder.get(), SHCONTF_FOLDERS | hidden);
    if (showLinks_) count += InsertChildren(item, folder.get(), SHCONTF_NONFOLDERS | hidden);
  }
  if (count > 0) {
    SortInShellOrder(item);
  } else {
    SetHasChildrenMarker(item, false);
  }
}

int CShellTreeCtrl::InsertChildren(HTREEITEM item, IShellFolder* folder, SHCONTF kinds) {
  const CShellItem& parent = *Record(item);
  const bool linksOnly = (kinds & SHCONTF_NONFOLDERS) != 0;
  ComPtr<IEnumIDList> entries;
  if (folder->EnumObjects(Handle(), kinds, reinterpret_cast<IEnumIDList**>(entries.out())) != S_OK || !entries) {
    return 0;
  }
  int count = 0;
  LPITEMIDLIST fetchedList = nullptr;
  ULONG fetched = 0;
  while (entries->Next(1, &fetchedList, &fetched) == S_OK && fetched == 1) {
    IdList element = IdList::CopyFirstLevel(IdList(fetchedList).Get());
    if (!element) continue;
    if (linksOnly) {
      // Only folder shortcuts are shown among the files; the others are not worth a record.
      LPCITEMIDLIST single = element.Get();
      ULONG attributes = SFGAO_LINK;
      if (FAILED(folder->GetAttributesOf(1, &single, &attributes)) || !(attributes & SFGAO_LINK)) continue;
    }
    std::unique_ptr<CShellItem> child =
        CShellItem::Make(std::move(element), parent.ChildrenParentList(), folder, parent.IsRoot());
    if (!child) continue;
    // My Computer lists drives; its virtual folders (Control Panel, Printers) stay out.
    if (parent.IsMyComputer() && !IsFileSystemParsePath(child->ParsePath())) continue;
    if (linksOnly && !child->IsFolderLink()) continue;
    count += InsertShellItem(item, std::move(child)) != nullptr;
  }
  return count;
}

void CShellTreeCtrl::SortInShellOrder(HTREEITEM parent) {
  const ComPtr<IShellFolder> folder = GetItemFolder(parent);
  sortFolder_ = folder.get();
  SortChildrenCB(parent, CompareInShellOrder, reinterpret_cast<LPARAM>(this));
  sortFolder_ = nullptr;
}

int CALLBACK CShellTreeCtrl::CompareInShellOrder(LPARAM first, LPARAM second, LPARAM self) {
  const CShellItem* a = reinterpret_cast<const CShellItem*>(first);
  const CShellItem* b = reinterpret_cast<const CShellItem*>(second);
  const int aListed = a && a->Relative() ? 1 : 0;
  const int bListed = b && b->Relative() ? 1 : 0;
  // The screen-saver item has no ID list and comes first.
  if (!aListed || !bListed) return aListed - bListed;
  IShellFolder* folder = reinterpret_cast<const CShellTreeCtrl*>(self)->sortFolder_;
  if (!folder) return 0;
  const HRESULT result = folder->CompareIDs(0, a->Relative(), b->Relative());
  if (FAILED(result)) return 0;
  const short order = static_cast<short>(HRESULT_CODE(result));
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void CShellTreeCtrl::ReleaseRecords(HTREEITEM item) {
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    const HTREEITEM next = pending.back();
    pending.pop_back();
    delete Record(next);
    SetItemData(next, 0);
    for (HTREEITEM child = GetChildItem(next); child; child = GetNextSiblingItem(child)) pending.push_back(child);
  }
}

void CShellTreeCtrl::DeleteWithRecords(HTREEITEM item) {
  ReleaseRecords(item);
  DeleteItem(item);
}

void CShellTreeCtrl::DeleteChildren(HTREEITEM item) {
  if (!item) return;
  while (const HTREEITEM child = GetChildItem(item)) {
    ReleaseRecords(child);
    if (!DeleteItem(child)) break;
  }
}

LRESULT CShellTreeCtrl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      // The records are freed here rather than through the parent's reflection, which may
      // already be gone.
      DeleteChildren(TVI_ROOT);
      break;
    case WM_CHAR:
      if (wParam != VK_TAB) break;
      ::PostMessageA(::GetParent(Handle()), WM_TREE_TAB, VK_TAB, 0);
      return 0;
    case WM_RBUTTONDOWN:
      // The owner shows its context menu; the tree does not act on the right button.
      ::PostMessageA(::GetParent(Handle()), WM_RBUTTONDOWN, wParam, lParam);
      return 0;
    case WM_TREE_ADDFOLDER:
      OnAddFolder(reinterpret_cast<HTREEITEM>(wParam), reinterpret_cast<const char*>(lParam));
      return 0;
    case WM_TREE_DELETECHILD:
      OnDeleteChild(reinterpret_cast<HTREEITEM>(wParam), reinterpret_cast<HTREEITEM>(lParam));
      return 0;
    case WM_TREE_INSERTFOLDER:
      if (ContainsItem(reinterpret_cast<HTREEITEM>(wParam))) {
        InsertFolder(reinterpret_cast<HTREEITEM>(wParam), reinterpret_cast<const char*>(lParam));
      }
      return 0;
    default:
      break;
  }
  return TreeControl::WndProc(message, wParam, lParam);
}

bool CShellTreeCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result) {
  NMTREEVIEWA* change = reinterpret_cast<NMTREEVIEWA*>(header);
  switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      if ((change->action & TVE_EXPAND) && !ItemHasChildren(change->itemNew.hItem)) {
        FillChildren(change->itemNew.hItem);
      }
      result = 0;  // the expansion always goes on
      return true;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
      // Items deleted by others; the control's own deletions have freed their records already.
      delete reinterpret_cast<CShellItem*>(change->itemOld.lParam);
      SetItemData(change->itemOld.hItem, 0);
      result = 0;
      return true;
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW:
      SelChanging(change->itemNew.hItem);
      return false;  // the owner may watch the selection too; allowed unless it objects
    default:
      // Label edits among them: the control never accepts a new label itself; the owner renames
      // the folder and answers.
      return false;
  }
}
