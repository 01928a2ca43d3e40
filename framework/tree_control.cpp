#include "tree_control.h"

HTREEITEM TreeControl::Next(HTREEITEM item, UINT relation) const {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(Handle(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

bool TreeControl::SetItem(TVITEMA& item) {
  return ::SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool TreeControl::GetItem(TVITEMA& item) const {
  return ::SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

HTREEITEM TreeControl::InsertItem(TVINSERTSTRUCTA& insert) {
  return reinterpret_cast<HTREEITEM>(::SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool TreeControl::DeleteItem(HTREEITEM item) {
  return ::SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

bool TreeControl::Expand(HTREEITEM item, UINT code) {
  return ::SendMessageA(Handle(), TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
}

bool TreeControl::SelectItem(HTREEITEM item) {
  return ::SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}

bool TreeControl::EnsureVisible(HTREEITEM item) {
  return ::SendMessageA(Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

LPARAM TreeControl::GetItemData(HTREEITEM item) const {
  TVITEMA query = {};
  query.mask = TVIF_PARAM | TVIF_HANDLE;
  query.hItem = item;
  return item && GetItem(query) ? query.lParam : 0;
}

bool TreeControl::SetItemData(HTREEITEM item, LPARAM data) {
  TVITEMA change = {};
  change.mask = TVIF_PARAM | TVIF_HANDLE;
  change.hItem = item;
  change.lParam = data;
  return SetItem(change);
}

UINT TreeControl::GetItemState(HTREEITEM item, UINT mask) const {
  return static_cast<UINT>(::SendMessageA(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask)) & mask;
}

bool TreeControl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  TVITEMA change = {};
  change.mask = TVIF_STATE | TVIF_HANDLE;
  change.hItem = item;
  change.state = state;
  change.stateMask = mask;
  return SetItem(change);
}

std::string TreeControl::GetItemText(HTREEITEM item) const {
  char text[MAX_PATH] = {};
  TVITEMA query = {};
  query.mask = TVIF_TEXT | TVIF_HANDLE;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  if (!item || !GetItem(query)) return std::string();
  text[MAX_PATH - 1] = '\0';
  return query.pszText ? std::string(query.pszText) : std::string();
}

bool TreeControl::SetItemText(HTREEITEM item, const std::string& text) {
  TVITEMA change = {};
  change.mask = TVIF_TEXT | TVIF_HANDLE;
  change.hItem = item;
  change.pszText = const_cast<char*>(text.c_str());
  return SetItem(change);
}

bool TreeControl::SetHasChildrenMarker(HTREEITEM item, bool hasChildren) {
  TVITEMA change = {};
  change.mask = TVIF_CHILDREN | TVIF_HANDLE;
  change.hItem = item;
  change.cChildren = hasChildren ? 1 : 0;
  return SetItem(change);
}

bool TreeControl::HasChildrenMarker(HTREEITEM item) const {
  TVITEMA query = {};
  query.mask = TVIF_CHILDREN | TVIF_HANDLE;
  query.hItem = item;
  return item && GetItem(query) && query.cChildren != 0;
}

bool TreeControl::SortChildrenCB(HTREEITEM parent, PFNTVCOMPARE compare, LPARAM context) {
  TVSORTCB sort = {};
  sort.hParent = parent;
  sort.lpfnCompare = compare;
  sort.lParam = context;
  return ::SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0;
}

HIMAGELIST TreeControl::SetImageList(HIMAGELIST images, int kind) {
  return reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(Handle(), TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(images)));
}

bool TreeControl::SelectDropTarget(HTREEITEM item) {
  return ::SendMessageA(Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item)) != 0;
}

HTREEITEM TreeControl::HitTest(POINT point) const {
  TVHITTESTINFO hit = {};
  hit.pt = point;
  return reinterpret_cast<HTREEITEM>(::SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

HWND TreeControl::EditLabel(HTREEITEM item) {
  return reinterpret_cast<HWND>(::SendMessageA(Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
}
