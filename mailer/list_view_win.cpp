#include "list_view_win.h"

#include <vector>

void AddListColumn(HWND list, int column, const char* title, int width) {
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH;
  info.pszText = const_cast<char*>(title);
  info.cx = width;
  ListView_InsertColumn(list, column, &info);
}

int AppendListRow(HWND list, const std::string& text, LPARAM key) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = const_cast<char*>(text.c_str());
  item.lParam = key;
  return static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListText(HWND list, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListText(HWND list, int row, int column, size_t limit) {
  std::vector<char> text(limit + 1);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text.data();
}

void DeleteMarkedRow(HWND list) {
  const int mark = ListView_GetSelectionMark(list);
  if (mark >= 0) ListView_DeleteItem(list, mark);
}
