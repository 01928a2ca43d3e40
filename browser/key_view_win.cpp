// The Key view's window: the tree and its pictures, the keys made, renamed, deleted and expanded,
// and the mouse and keyboard.
#include "key_view.h"

#include <windowsx.h>

#include <vector>

#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "drag_threshold.h"
#include "key_index.h"
#include "key_view_host.h"
#include "key_view_support.h"
#include "resource.h"
#include "wait_cursor.h"

namespace {

constexpr UINT kTreeId = 256;
// Sent to the view itself: edit the label of the item (lParam) again.
constexpr UINT WM_RESTART_LABEL_EDIT = WM_APP + 21;
// The Key view's pop-up in the context menus.
constexpr int kKeyContextMenu = 4;

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

// Trims spaces and tabs at both ends.
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

// The tree control.

HTREEITEM CKeyTreeCtrl::ItemOnPoint(POINT point) const {
  TVHITTESTINFO hit = {};
  hit.pt = point;
  ::SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr;
}

void CKeyTreeCtrl::SetItemImage(HTREEITEM item, int image) {
  TVITEMA change = {};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = item;
  change.iImage = change.iSelectedImage = image;
  ::SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

int CKeyTreeCtrl::GetItemImage(HTREEITEM item) const {
  TVITEMA query = {};
  query.mask = TVIF_HANDLE | TVIF_IMAGE;
  query.hItem = item;
  return ::SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) ? query.iImage : -1;
}

void CKeyTreeCtrl::SortChildren(HTREEITEM parent) {
  ::SendMessageA(Handle(), TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(parent));
}

void CKeyTreeCtrl::SetStyle(DWORD add, DWORD remove) {
  const LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_STYLE);
  ::SetWindowLongPtrA(Handle(), GWL_STYLE, (style & ~LONG_PTR(remove)) | LONG_PTR(add));
}

LRESULT CKeyTreeCtrl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (input_.OnTreeInput(message, wParam, lParam)) return 0;
  return TreeControl::WndProc(message, wParam, lParam);
}

// The view.

CKeyView::CKeyView(CKeyIndex& index, KeyViewHost& host)
    : index_(index), host_(host), tree_(*this), dropTarget_(*this) {}

CKeyView::~CKeyView() {
  dropTarget_.Revoke();
  if (images_) ImageList_Destroy(images_);
}

bool CKeyView::Create(HWND parent, UINT id) {
  if (!Window::Create(0, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return false;
  RECT area = {};
  ::GetClientRect(Handle(), &area);
  if (!tree_.CreateControl(WC_TREEVIEWA, 0,
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                               TVS_SHOWSELALWAYS,
                           area, Handle(), kTreeId))
    return false;
  SetControl(tree_.Handle());
  dropTarget_.Register(tree_.Handle());
  OnInitialUpdate();
  return true;
}

void CKeyView::OnInitialUpdate() {
  images_ = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR24, 4, 0);
  ImageList_SetBkColor(images_, ::GetSysColor(COLOR_WINDOW));
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  for (int bitmapId : {IDB_KEY_PLAIN, IDB_KEY_KEYED, IDB_KEY_PARENT, IDB_KEY_FOLDER}) {
    HBITMAP bitmap = ::LoadBitmapA(instance, MAKEINTRESOURCEA(bitmapId));
    ImageList_AddMasked(images_, bitmap, RGB(255, 255, 255));
    ::DeleteObject(bitmap);
  }
  tree_.SetImageList(images_, TVSIL_NORMAL);
  root_ = InsertRootItem("");
  RefreshTree();
  tree_.Expand(root_, TVE_EXPAND);
  tree_.SortChildren(root_);
}

HTREEITEM CKeyView::InsertRootItem(const std::string& text) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_FIRST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = insert.item.iSelectedImage = kFolder;
  return tree_.InsertItem(insert);
}

int CKeyView::Message(const std::string& text, UINT flags) const {
  return ::MessageBoxA(MainWindow(), text.c_str(), MessageCaption(), flags);
}

// The index's side of the tree.

KeyTreeDisplay::Item CKeyView::InsertKeyItem(Item parent, const std::string& name) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = static_cast<HTREEITEM>(parent);
  insert.hInsertAfter = TVI_FIRST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(name.c_str());
  insert.item.iImage = insert.item.iSelectedImage = kPlainKey;
  return tree_.InsertItem(insert);
}

void CKeyView::SortChildren(Item parent) { tree_.SortChildren(static_cast<HTREEITEM>(parent)); }

void CKeyView::SetItemText(Item item, const std::string& text) {
  tree_.SetItemText(static_cast<HTREEITEM>(item), text);
}

void CKeyView::Expand(Item item) { tree_.Expand(static_cast<HTREEITEM>(item), TVE_EXPAND); }

void CKeyView::RefreshTree() {
  index_.FillTree(*this);
  tree_.SetItemText(root_, CurrentFolder());
  tree_.SortChildren(root_);
  ::InvalidateRect(tree_.Handle(), nullptr, TRUE);
  ::UpdateWindow(tree_.Handle());
}

// Making, renaming, deleting and expanding keys.

void CKeyView::StartNewKey(HTREEITEM parent) {
  tree_.SetStyle(TVS_EDITLABELS, 0);
  newKey_ = true;
  const HTREEITEM item = static_cast<HTREEITEM>(index_.NewKey(*this, parent));
  if (!item) return;
  if (parent != root_) tree_.Expand(parent, TVE_EXPAND);
  tree_.SelectItem(item);
  StartLabelEdit(item);
}

void CKeyView::OnNewKey(UINT) { StartNewKey(selectedKey_ ? selectedKey_ : root_); }

void CKeyView::OnNewRootKey(UINT) { StartNewKey(root_); }

void CKeyView::OnRename(UINT) {
  if (!selectedKey_) return;
  newKey_ = false;
  tree_.SetStyle(TVS_EDITLABELS, 0);
  StartLabelEdit(selectedKey_);
}

void CKeyView::StartLabelEdit(HTREEITEM item) {
  ::SetFocus(tree_.Handle());
  tree_.EditLabel(item);
}

void CKeyView::OnEndLabelEdit(HTREEITEM item, const std::string& typed) {
  std::string name = Trimmed(typed);
  // The index keeps 31 characters; siblings are compared by what it keeps.
  if (name.size() > CKeyNode::kNameSize - 1) name.resize(CKeyNode::kNameSize - 1);
  tree_.SetItemText(item, name);
  const HTREEITEM parent = tree_.GetParentItem(item);
  tree_.SortChildren(parent);
  std::string refusal;
  if (name.empty() || name.find(kKeyPathSeparator) != std::string::npos) refusal = kBadKeyNameMessage;
  for (HTREEITEM other = tree_.GetChildItem(parent); other && refusal.empty(); other = tree_.GetNextSiblingItem(other))
    if (other != item && tree_.GetItemText(other) == name) refusal = kDuplicateKeyNameMessage;
  if (!refusal.empty()) {
    host_.SetStatusText(refusal);
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::PostMessageA(Handle(), WM_RESTART_LABEL_EDIT, 0, reinterpret_cast<LPARAM>(item));
    return;
  }
  if (newKey_) {
    index_.RenameKey(*this, item, name);
  } else {
    WaitCursor wait;
    KeyWalkEscape escape;
    index_.RenameKeyInFolders(CurrentDirectory(), item, name, escape);
  }
  RefreshTree();
  tree_.SetStyle(0, TVS_EDITLABELS);
}

bool CKeyView::ConfirmDeleteKey(HTREEITEM item) {
  if (!g_settings.confirmations.keydel) return true;
  // The key path is the user's text: it goes into the question as it is, never as a format.
  const std::string question = std::string(kDeleteKeyQuestion) + index_.GetKeyPath(item);
  return Message(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CKeyView::OnDeleteKey(UINT) {
  const HTREEITEM item = selectedKey_;
  if (!item || !ConfirmDeleteKey(item)) return;
  {
    WaitCursor wait;
    KeyWalkEscape escape;
    index_.DeleteKey(item, CurrentFolder(), escape);
    index_.SaveFolder();
  }
  tree_.DeleteItem(item);
}

void CKeyView::OnClearKeys(UINT) {
  ::SendMessageA(tree_.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  selectedKey_ = nullptr;
  root_ = InsertRootItem(CurrentFolder());
  index_.Clear();
}

void CKeyView::ExpandKeys(UINT) {
  if (!selectedKey_) return;
  // Depth first without recursion: every item below the selected key.
  std::vector<HTREEITEM> pending = {selectedKey_};
  while (!pending.empty()) {
    const HTREEITEM item = pending.back();
    pending.pop_back();
    tree_.Expand(item, TVE_EXPAND);
    for (HTREEITEM child = tree_.GetChildItem(item); child; child = tree_.GetNextSiblingItem(child))
      pending.push_back(child);
  }
}

// Marks of the hover tip.

void CKeyView::MarkFileKeys(const std::string& file) {
  SetAllItemsImage();
  index_.ShowFileKeys(*this, file);
}

void CKeyView::SetAllItemsImage() {
  std::vector<HTREEITEM> pending = {tree_.GetChildItem(root_)};
  while (!pending.empty()) {
    const HTREEITEM item = pending.back();
    pending.pop_back();
    if (!item) continue;
    tree_.SetItemImage(item, kPlainKey);
    pending.push_back(tree_.GetNextSiblingItem(item));
    pending.push_back(tree_.GetChildItem(item));
  }
}

void CKeyView::MarkKeyPath(Item key) {
  const HTREEITEM item = static_cast<HTREEITEM>(key);
  if (!item) return;
  tree_.SetItemImage(item, kKeyedKey);
  for (HTREEITEM above = tree_.GetParentItem(item); above && above != root_; above = tree_.GetParentItem(above))
    if (tree_.GetItemImage(above) == kPlainKey) tree_.SetItemImage(above, kParentOfKeyed);
}

// Mouse and keyboard.

bool CKeyView::OnTreeInput(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDBLCLK: {
      bool consumed = false;
      OnDoubleClick(point, consumed);
      return consumed;
    }
    case WM_LBUTTONDOWN: {
      const HTREEITEM item = tree_.ItemOnPoint(point);
      if (item && item != root_) {
        if (KeyHeld(VK_MENU))
          host_.SetKeyOnSelected(item, true);
        else if (wParam & MK_CONTROL)
          host_.SetKeyOnSelected(item, false);
      }
      return false;
    }
    case WM_RBUTTONDOWN: {
      POINT screen = point;
      ::ClientToScreen(tree_.Handle(), &screen);
      ShowContextMenu(screen);
      return true;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) KeyHeld(VK_CONTROL) ? OnSearchOrKey() : OnSearchKey();
      return false;
    default:
      return false;
  }
}

void CKeyView::OnDoubleClick(POINT point, bool& consumed) {
  TVHITTESTINFO hit = {};
  hit.pt = point;
  ::SendMessageA(tree_.Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.hItem == root_ && root_) {
    host_.SetStatusText(CurrentFolder() + "\\");
    host_.ShowFolder(CurrentFolder() + "\\");
    consumed = true;
  } else if (hit.hItem && (hit.flags & TVHT_ONITEM)) {
    tree_.SelectItem(hit.hItem);
    ::GetAsyncKeyState(VK_CONTROL) < 0 ? OnSearchOrKey() : OnSearchKey();
    consumed = true;
  }
}

void CKeyView::ShowContextMenu(POINT screenPoint) {
  HMENU menus = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
  if (!menus) return;
  ::TrackPopupMenu(::GetSubMenu(menus, kKeyContextMenu), TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                   MainWindow(), nullptr);
  ::DestroyMenu(menus);
}

// Notifications and messages.

bool CKeyView::OnControlNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      const HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem;
      selectedKey_ = item == root_ ? nullptr : item;
      return true;
    }
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      return true;  // always allowed
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      labelEdit_.Begin(header);
      return true;
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
      TreeLabelEdit::Ended ended;
      if (!labelEdit_.End(header, ended)) return true;
      if (!ended.cancelled) {
        OnEndLabelEdit(ended.item, ended.text);
        return true;
      }
      // A refused name may still be shown: the key keeps the name it has.
      if (const CKeyNode* node = index_.MasterNodeOf(ended.item)) tree_.SetItemText(ended.item, node->name);
      tree_.SortChildren(tree_.GetParentItem(ended.item));
      return true;
    }
    case NM_CLICK:
      return true;
    default:
      return false;
  }
}

void CKeyView::OnTimer(UINT_PTR id) {
  switch (id) {
    case kSearchLockTimer:
      searchLock_ = false;
      ::KillTimer(Handle(), id);
      break;
    case kScrollTimer:
      if (scrollUp_ || scrollDown_) {
        const int position = ::GetScrollPos(tree_.Handle(), SB_VERT);
        ::PostMessageA(tree_.Handle(), WM_VSCROLL, MAKEWPARAM(scrollUp_ ? SB_LINEUP : SB_LINEDOWN, position), 0);
      } else {
        ::KillTimer(Handle(), id);
      }
      break;
    case kHoverTimer: {
      ::KillTimer(Handle(), id);
      POINT cursor = {};
      ::GetCursorPos(&cursor);
      ::ScreenToClient(tree_.Handle(), &cursor);
      if (WithinDragThreshold(cursor, hoverPoint_) && g_settings.preferences.expandkeys)
        if (const HTREEITEM item = tree_.ItemOnPoint(cursor)) tree_.Expand(item, TVE_EXPAND);
      break;
    }
    default:
      break;
  }
}

LRESULT CKeyView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_RESTART_LABEL_EDIT:
      StartLabelEdit(reinterpret_cast<HTREEITEM>(lParam));
      return 0;
    default:
      break;
  }
  return ControlPane::WndProc(message, wParam, lParam);
}

// Commands.

const CommandEntry<CKeyView> CKeyView::kCommands[] = {
    {ID_KEY_NEW, ID_KEY_NEW, &CKeyView::OnNewKey, nullptr},
    {ID_KEY_NEW_ROOT, ID_KEY_NEW_ROOT, &CKeyView::OnNewRootKey, nullptr},
    {ID_KEY_RENAME, ID_KEY_RENAME, &CKeyView::OnRename, &CKeyView::OnUpdateNeedsKey},
    {ID_RENAME_F2, ID_RENAME_F2, &CKeyView::OnRename, &CKeyView::OnUpdateNeedsKey},
    {ID_KEY_DELETE, ID_KEY_DELETE, &CKeyView::OnDeleteKey, &CKeyView::OnUpdateNeedsKey},
    {ID_KEY_CLEAR, ID_KEY_CLEAR, &CKeyView::OnClearKeys, nullptr},
    {ID_KEY_SCAN, ID_KEY_SCAN, &CKeyView::OnScanIndexes, nullptr},
    {ID_KEY_COMPILE, ID_KEY_COMPILE, &CKeyView::OnCompileIndexes, nullptr},
    {ID_KEY_SEARCH, ID_KEY_SEARCH, &CKeyView::OnSearchKey, &CKeyView::OnUpdateNeedsKey},
    {ID_KEY_OR, ID_KEY_OR, &CKeyView::OnSearchOrKey, &CKeyView::OnUpdateNeedsKey},
    {ID_KEY_EXPAND, ID_KEY_EXPAND, &CKeyView::ExpandKeys, &CKeyView::OnUpdateNeedsKey},
    {ID_KEY_EXPORT, ID_KEY_EXPORT, &CKeyView::OnExportKeys, &CKeyView::OnUpdateNeedsItem},
};

bool CKeyView::Handles(UINT id) { return FindCommand(kCommands, id) != nullptr; }

bool CKeyView::OnCommand(UINT id) { return RunCommand(this, kCommands, id); }

bool CKeyView::OnUpdateCommand(CommandState& state) { return UpdateCommand(this, kCommands, state); }

void CKeyView::OnUpdateNeedsKey(CommandState& state) { state.enabled = selectedKey_ != nullptr; }

void CKeyView::OnUpdateNeedsItem(CommandState& state) { state.enabled = tree_.GetSelectedItem() != nullptr; }
