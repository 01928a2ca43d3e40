#include "favorites_dlg.h"

#include <windowsx.h>

#include "app.h"
#include "command_ids.h"
#include "favorites_file.h"
#include "private_messages.h"
#include "program_state.h"
#include "resource.h"

namespace {

// The path handed to the main frame with the posted folder change, which reads it later.
char g_favoritePath[MAX_PATH];

std::string ItemTextAt(HWND list, int index) {
  char text[1001] = {};
  ListView_GetItemText(list, index, 0, text, sizeof text);
  return text;
}

// The submenu that holds "Add to favorites", wherever the menu puts it.
HMENU FavoritesSubmenu(HMENU menu) {
  for (int i = 0, count = ::GetMenuItemCount(menu); i < count; ++i) {
    HMENU sub = ::GetSubMenu(menu, i);
    if (!sub) continue;
    for (int j = 0, items = ::GetMenuItemCount(sub); j < items; ++j)
      if (::GetMenuItemID(sub, j) == ID_FAVORITES_ADD_MENU) return sub;
  }
  return nullptr;
}

HWND MainWindow() { return App::Instance() ? App::Instance()->MainWindow() : nullptr; }

}  // namespace

CFavoritesDlg::CFavoritesDlg() : Dialog(IDD_FAVORITES) {}

CFavoritesDlg::~CFavoritesDlg() {
  if (images_) ImageList_Destroy(images_);
}

HWND CFavoritesDlg::List() const { return Item(IDC_FAVORITES_LIST); }

bool CFavoritesDlg::Create(HWND mainFrame) { return CreateModeless(mainFrame); }

bool CFavoritesDlg::OnInitDialog() {
  images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
  ImageList_SetBkColor(images_, ::GetSysColor(COLOR_WINDOW));
  if (HBITMAP folder = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_FAVORITE))) {
    ImageList_AddMasked(images_, folder, RGB(255, 255, 255));
    ::DeleteObject(folder);
  }
  ListView_SetImageList(List(), images_, LVSIL_SMALL);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 600;
  ListView_InsertColumn(List(), 0, &column);
  ::SetWindowPos(Handle(), nullptr, 70, 70, 300, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  initialised_ = true;
  FitList();
  return true;
}

void CFavoritesDlg::FitList() {
  if (!initialised_) return;
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  ::MoveWindow(List(), 1, 1, client.right - 2, client.bottom - 2, TRUE);
  ListView_SetColumnWidth(List(), 0, client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 6);
}

void CFavoritesDlg::Toggle() {
  visible_ = !visible_;
  ::ShowWindow(Handle(), visible_ ? SW_SHOW : SW_HIDE);
}

// Closing only hides the window: the list lives on for the menu.
void CFavoritesDlg::OnCancel() {
  visible_ = false;
  ::ShowWindow(Handle(), SW_HIDE);
}

void CFavoritesDlg::Insert(int index, const std::string& text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<char*>(text.c_str());
  ListView_InsertItem(List(), &item);
}

std::vector<std::string> CFavoritesDlg::Entries() const {
  std::vector<std::string> entries;
  for (int i = 0, count = ListView_GetItemCount(List()); i < count; ++i) entries.push_back(ItemTextAt(List(), i));
  return entries;
}

void CFavoritesDlg::Changed() {
  Save(g_program.favoritesFile);
  RebuildMenu();
}

void CFavoritesDlg::OnAdd() {
  char folder[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  Insert(0, folder);
  Changed();
}

void CFavoritesDlg::OnRemove() {
  const int selected = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
  if (selected < 0) return;
  ListView_DeleteItem(List(), selected);
  Changed();
}

void CFavoritesDlg::GoToFavorite(int n) {
  const std::string path = ItemTextAt(List(), n);
  if (path.empty()) return;
  lstrcpynA(g_favoritePath, path.c_str(), sizeof g_favoritePath);
  ::PostMessageA(MainWindow(), WM_DIR_CHANGED, 0, reinterpret_cast<LPARAM>(g_favoritePath));
}

void CFavoritesDlg::Load(const std::string& file) {
  for (const std::string& folder : ReadFavorites(file)) Insert(ListView_GetItemCount(List()), folder);
  RebuildMenu();
}

// A file that cannot be written is passed over: the list and the menu stay as they are.
void CFavoritesDlg::Save(const std::string& file) { WriteFavorites(file, Entries()); }

void CFavoritesDlg::RebuildMenu() {
  HMENU favorites = FavoritesSubmenu(::GetMenu(MainWindow()));
  if (!favorites) return;
  while (::GetMenuItemCount(favorites) > 3) ::RemoveMenu(favorites, 3, MF_BYPOSITION);
  const std::vector<std::string> entries = Entries();
  for (int i = 0; i < int(entries.size()) && i < kFavoriteMenuEntries; ++i)
    ::AppendMenuA(favorites, MF_STRING, ID_FAVORITE_FIRST + i, entries[i].c_str());
}

bool CFavoritesDlg::OnCommand(int id, int) {
  if (id == ID_FAVORITES_WINDOW_ADD)
    OnAdd();
  else if (id == ID_FAVORITES_REMOVE)
    OnRemove();
  else
    return false;
  return true;
}

int CFavoritesDlg::ItemAt(POINT inDialog) const {
  LVHITTESTINFO hit = {};
  hit.pt = inDialog;
  ::MapWindowPoints(Handle(), List(), &hit.pt, 1);
  return ListView_HitTest(List(), &hit);
}

// The entry stays in the list, and the file as it was, until a drop lands: a drag that ends any
// other way (out of the list, or the mouse taken away by another window) changes nothing.
void CFavoritesDlg::BeginDrag(int index) {
  dragIndex_ = index;
  dragText_ = ItemTextAt(List(), index);
  POINT origin = {};
  if (HIMAGELIST image = ListView_CreateDragImage(List(), index, &origin)) {
    ImageList_BeginDrag(image, 0, -10, -5);
    ImageList_Destroy(image);  // BeginDrag keeps its own copy
  }
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(List(), &cursor);
  ImageList_DragEnter(List(), cursor.x, cursor.y);
  dragging_ = true;
  dropTarget_ = -1;
  ::SetCapture(Handle());
}

void CFavoritesDlg::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;  // first: releasing the mouse comes back here as a lost capture
  ImageList_DragLeave(List());
  ImageList_EndDrag();
  ListView_SetItemState(List(), -1, 0, LVIS_DROPHILITED);
  if (::GetCapture() == Handle()) ::ReleaseCapture();
}

void CFavoritesDlg::DragTo(POINT inDialog) {
  POINT screen = inDialog;
  ::ClientToScreen(Handle(), &screen);
  RECT listArea = {};
  ::GetWindowRect(List(), &listArea);
  if (!::PtInRect(&listArea, screen)) {
    EndDrag();
    return;
  }
  POINT inList = screen;
  ::ScreenToClient(List(), &inList);
  ImageList_DragMove(inList.x, inList.y);
  const int target = ItemAt(inDialog);
  if (target == dropTarget_) return;
  ImageList_DragShowNolock(FALSE);
  if (dropTarget_ >= 0) ListView_SetItemState(List(), dropTarget_, 0, LVIS_DROPHILITED);
  if (target >= 0) ListView_SetItemState(List(), target, LVIS_DROPHILITED, LVIS_DROPHILITED | LVIS_SELECTED);
  ::UpdateWindow(List());
  ImageList_DragShowNolock(TRUE);
  dropTarget_ = target;
}

// The entry goes just after the one it is dropped on (counted as if it had left its place), or
// last when it lands on none; dropped on itself it stays.
void CFavoritesDlg::Drop(POINT inDialog) {
  EndDrag();
  ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
  const int hit = ItemAt(inDialog);
  if (hit == dragIndex_ || dragIndex_ >= ListView_GetItemCount(List())) return;
  ListView_DeleteItem(List(), dragIndex_);
  const int after = hit < 0 ? ListView_GetItemCount(List()) : (hit < dragIndex_ ? hit + 1 : hit);
  Insert(after, dragText_);
  Changed();
}

bool CFavoritesDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_SIZE:
      FitList();
      return false;
    case WM_CLOSE:
      OnCancel();
      result = 0;
      return true;
    case WM_MOUSEMOVE:
      if (!dragging_) return false;
      DragTo(point);
      return true;
    case WM_LBUTTONUP:
      if (!dragging_) return false;
      Drop(point);
      return true;
    case WM_CAPTURECHANGED:
      EndDrag();
      return false;
    case WM_DESTROY:
      EndDrag();
      return false;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_FAVORITES_LIST) return false;
      if (header->code == LVN_BEGINDRAG) {
        BeginDrag(reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem);
      } else if (header->code == NM_DBLCLK) {
        const int selected = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
        if (selected >= 0) GoToFavorite(selected);
      } else {
        return false;
      }
      result = 0;
      return true;
    }
    default:
      return false;
  }
}
