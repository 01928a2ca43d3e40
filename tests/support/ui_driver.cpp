#include "ui_driver.h"

namespace {

struct Search {
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK MatchCaption(HWND hwnd, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd)) return TRUE;
  char text[256] = {};
  ::GetWindowTextA(hwnd, text, sizeof text);
  if (*search->caption != text) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND WaitForWindow(const std::string& caption, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  do {
    Search search = {&caption, nullptr};
    ::EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    ::Sleep(20);
  } while (::GetTickCount() - start < milliseconds);
  return nullptr;
}

void PressButton(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
