#include "ui_driver.h"

#include "app.h"

namespace {

// Static initialisation runs on the test program's main thread.
const DWORD g_programThread = ::GetCurrentThreadId();
constexpr int kMessageTextId = 0xFFFF;

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

DWORD ProgramThread() { return g_programThread; }

std::string ProgramBoxCaption() {
  const char* caption = MessageCaption();
  return caption ? caption : "Error";
}

namespace {

std::string WindowText(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

bool IsDialogClass(HWND window) {
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770";
}

struct BoxSearch {
  const std::string* caption;
  DWORD thread;
  HWND found;
  std::string others;  // the other dialogs of the process that were up
};

BOOL CALLBACK MatchMessageBox(HWND hwnd, LPARAM data) {
  BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
  DWORD process = 0;
  const DWORD thread = ::GetWindowThreadProcessId(hwnd, &process);
  if (process != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd) || !IsDialogClass(hwnd)) return TRUE;
  const HWND text = ::GetDlgItem(hwnd, kMessageTextId);
  const bool byThread = search->thread == kAnyThread || thread == search->thread;
  if (text && byThread && WindowText(hwnd) == *search->caption) {
    search->found = hwnd;
    return FALSE;
  }
  search->others += " \"" + WindowText(hwnd) + "\"" + (text ? ": " + WindowText(text) : std::string()) +
                    (byThread ? "" : " (another thread)") + ";";
  return TRUE;
}

BoxSearch FindMessageBox(const std::string& caption, DWORD thread, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    BoxSearch search = {&caption, thread, nullptr, std::string()};
    ::EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    if (search.found || ::GetTickCount() - start >= milliseconds) return search;
    ::Sleep(20);
  }
}

}  // namespace

HWND WaitForMessageBox(const std::string& caption, DWORD thread, DWORD milliseconds) {
  return FindMessageBox(caption, thread, milliseconds).found;
}

std::string AnswerMessageBox(int button, const std::string& caption, DWORD thread, DWORD milliseconds) {
  const std::string expected = caption.empty() ? ProgramBoxCaption() : caption;
  const BoxSearch search = FindMessageBox(expected, thread, milliseconds);
  if (!search.found) {
    return "(no message box \"" + expected + "\" within " + std::to_string(milliseconds / 1000) +
           " s; up instead:" + (search.others.empty() ? " nothing" : search.others) + ")";
  }
  const HWND box = search.found;
  const std::string text = WindowText(::GetDlgItem(box, kMessageTextId));
  // A click is posted again if the box is still up after a while: it must end, not wait for ever.
  for (int attempt = 0; attempt < 3 && ::IsWindow(box); ++attempt) {
    PressButton(box, button);
    WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000);
  }
  if (::IsWindow(box) && ::IsWindowVisible(box)) return "(message box stayed after its button was pressed: " + text + ")";
  return text;
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
  // Under Wine the display can still hand back a position from before the move (its events of a
  // window that appeared under the old pointer, or of a pointer warped earlier) after the move
  // arrived, and the next button then goes down there. Once those events are in, the move is sent
  // again: the system's position is then the pointer's, whatever came back.
  for (int attempt = 0; attempt < 5; ++attempt) {
    ::SendInput(1, &input, sizeof input);
    if (!WaitFor(there, 2000)) continue;
    ::Sleep(150);
    ::SendInput(1, &input, sizeof input);
    if (WaitFor(there, 500)) return true;
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
