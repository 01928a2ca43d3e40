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

bool MoveMouseTo(POINT screen) {
  // Absolute positions are in 65,536ths of the screen; rounded up, they name the pixel itself.
  const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = LONG((LONGLONG(screen.x) * 65536 + width - 1) / width);
  input.mi.dy = LONG((LONGLONG(screen.y) * 65536 + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  const auto there = [&] {
    POINT at = {};
    return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
  };
  // Under Wine a pointer warped earlier (SetCursorPos) can come back from the display after the
  // move: the pointer must stay where it went.
  for (int attempt = 0; attempt < 5; ++attempt) {
    ::SendInput(1, &input, sizeof input);
    if (!WaitFor(there, 2000)) continue;
    ::Sleep(50);
    if (there()) return true;
  }
  return false;
}

void PressLeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof input);
}

namespace {

void PressKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof input);
}

}  // namespace

void TypeKey(WORD key, std::initializer_list<WORD> modifiers) {
  for (WORD modifier : modifiers) PressKey(modifier, true);
  PressKey(key, true);
  PressKey(key, false);
  for (WORD modifier : modifiers) PressKey(modifier, false);
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > milliseconds) return done();
    ::Sleep(10);
  }
  return true;
}
