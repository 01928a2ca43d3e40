#include "property_sheet_driver.h"

#include <commctrl.h>

#include "ui_driver.h"

namespace {

// Polls until the condition holds or the time runs out.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start >= milliseconds) return false;
    ::Sleep(20);
  }
  return true;
}

}  // namespace

std::vector<std::string> SheetTabs(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  std::vector<std::string> titles;
  const int count = int(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tabs, TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    titles.push_back(text);
  }
  return titles;
}

int SheetCurrentTab(HWND sheet) {
  HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  return int(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

HWND SheetPage(HWND sheet, int index) {
  return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, WPARAM(index), 0));
}

bool ShowSheetPage(HWND sheet, int index) {
  ::PostMessageA(sheet, PSM_SETCURSEL, WPARAM(index), 0);
  return WaitFor([&] { return SheetCurrentTab(sheet) == index && SheetPage(sheet, index); }, 10000);
}

void PressSheetButton(HWND sheet, int button) { ::PostMessageA(sheet, PSM_PRESSBUTTON, WPARAM(button), 0); }

bool WaitUntilClosed(HWND window, DWORD milliseconds) {
  return WaitFor([&] { return !::IsWindow(window); }, milliseconds);
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::vector<std::string> ChildTexts(HWND parent) {
  std::vector<std::string> texts;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char text[256] = {};
    ::GetWindowTextA(child, text, sizeof text);
    texts.push_back(text);
  }
  return texts;
}
