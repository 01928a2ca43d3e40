// Linked into every Windows test program: a window that no test step answers must not hang the
// test. A message box of this process (or of a program it started) that stays up longer than a
// step ever takes to answer one, or any other dialog that stays up far longer, fails the running
// test with the window's caption and text, and is closed, so the modal loop behind it returns and
// the test goes on to its end. The same for the system's own loops of moving or sizing a window
// and of a menu, which show no window to answer: a press that lands on a caption, or an Alt that
// reaches the window, leaves the test's thread in them until a button goes up or a key ends them.
#include <windows.h>
#include <tlhelp32.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace {

constexpr DWORD kMessageBoxLimitMs = 15000;
constexpr DWORD kSystemLoopLimitMs = 15000;
constexpr DWORD kDialogLimitMs = 50000;
constexpr DWORD kCloseRetryMs = 3000;
constexpr DWORD kPollMs = 250;
constexpr int kMessageTextId = 0xFFFF;  // the text of a message box

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

// Asked with a bound: the thread that owns the window may be the one that is stuck.
std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &length);
  text[sizeof text - 1] = '\0';
  return text;
}

bool IsMessageBox(HWND window) { return ::GetDlgItem(window, kMessageTextId) != nullptr; }

// What the window says: a message box's text, or the texts of a dialog's static controls.
std::string WhatItSays(HWND window) {
  if (IsMessageBox(window)) return TextOf(::GetDlgItem(window, kMessageTextId));
  std::string said;
  for (HWND child = ::GetWindow(window, GW_CHILD); child && said.size() < 600; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != "Static" || !::IsWindowVisible(child)) continue;
    const std::string text = TextOf(child);
    if (!text.empty()) said += (said.empty() ? "" : " | ") + text;
  }
  return said;
}

// Processes whose windows are watched: this one and those it started.
class WatchedProcesses {
 public:
  bool Contains(DWORD process) {
    if (process == ::GetCurrentProcessId()) return true;
    const auto known = known_.find(process);
    if (known != known_.end()) return known->second;
    const bool child = ParentOf(process) == ::GetCurrentProcessId();
    known_[process] = child;
    return child;
  }

 private:
  static DWORD ParentOf(DWORD process) {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
      if (entry.th32ProcessID == process) parent = entry.th32ParentProcessID;
    ::CloseHandle(snapshot);
    return parent;
  }
  std::map<DWORD, bool> known_;
};

class UnansweredWindowWatch : public ::testing::Environment {
 public:
  void SetUp() override {
    testThread_ = ::GetCurrentThreadId();
    stop_ = false;
    // A process's first call into the window system loads the display driver, once, under a
    // lock of its own, and the loading takes the loader's lock. A test that loads a library at
    // once (the mail window's first SetUp: the common controls register their classes while the
    // loader's lock is held) takes the two the other way round, and if the watch thread's first
    // look came at that moment, each thread waited on the other for good. So the first look is
    // taken here, before the thread and any test step start.
    LookOnce();
    thread_ = std::thread([this] { Run(); });
  }
  void TearDown() override {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  struct Seen {
    DWORD since;
    DWORD closedAt;  // 0 while not yet closed
  };

  void LookOnce() {
    Look();
    LookAtSystemLoops();
  }

  void Run() {
    while (!stop_) {
      ::Sleep(kPollMs);
      LookOnce();
    }
  }

  static BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto* self = reinterpret_cast<UnansweredWindowWatch*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (::IsWindowVisible(window) && ClassOf(window) == "#32770" && self->processes_.Contains(process))
      self->present_.insert(window);
    return TRUE;
  }

  void Look() {
    present_.clear();
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(this));
    const DWORD now = ::GetTickCount();
    for (auto at = seen_.begin(); at != seen_.end();)
      at = present_.count(at->first) ? std::next(at) : seen_.erase(at);
    for (HWND window : present_) {
      Seen& seen = seen_.emplace(window, Seen{now, 0}).first->second;
      if (seen.closedAt) {
        if (now - seen.closedAt >= kCloseRetryMs) Close(window, seen, now);
        continue;
      }
      const DWORD limit = IsMessageBox(window) ? kMessageBoxLimitMs : kDialogLimitMs;
      if (now - seen.since < limit) continue;
      Report(window, now - seen.since);
      Close(window, seen, now);
    }
  }

  static void Report(HWND window, DWORD standing) {
    const std::string what = "\"" + TextOf(window) + "\" stood " + std::to_string(standing / 1000) +
                             " s with nobody answering it, and was closed; it said: " + WhatItSays(window);
    std::fprintf(stderr, "unanswered window: %s\n", what.c_str());
    std::fflush(stderr);
    ADD_FAILURE() << "An unexpected window " << what;
  }

  void LookAtSystemLoops() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const bool moving = ::GetGUIThreadInfo(testThread_, &info) && (info.flags & GUI_INMOVESIZE);
    const bool inMenu = (info.flags & GUI_INMENUMODE) != 0;
    const DWORD now = ::GetTickCount();
    if (!moving && !inMenu) {
      loopSince_ = 0;
      return;
    }
    if (!loopSince_) loopSince_ = now;
    if (now - loopSince_ < kSystemLoopLimitMs) return;
    const HWND window = moving ? info.hwndMoveSize : info.hwndMenuOwner;
    const std::string what = std::string("The test's thread stood ") + std::to_string((now - loopSince_) / 1000) +
                             " s in the system's loop of " + (moving ? "moving or sizing" : "the menu of") +
                             " the window \"" + TextOf(window) + "\", which nobody ended, and it was ended";
    std::fprintf(stderr, "unended system loop: %s\n", what.c_str());
    std::fflush(stderr);
    ADD_FAILURE() << what;
    // Escape ends a move or size; a menu ends on the message the system's own EndMenu sends.
    if (moving)
      ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    else
      ::PostMessageA(window, WM_CANCELMODE, 0, 0);
    loopSince_ = now;
  }

  // Cancel first, as Escape would; a window that ignores it gets the close box.
  static void Close(HWND window, Seen& seen, DWORD now) {
    if (seen.closedAt)
      ::PostMessageA(window, WM_CLOSE, 0, 0);
    else
      ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    seen.closedAt = now;
  }

  DWORD testThread_ = 0;
  DWORD loopSince_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  WatchedProcesses processes_;
  std::set<HWND> present_;
  std::map<HWND, Seen> seen_;
};

::testing::Environment* const g_unansweredWindowWatch = ::testing::AddGlobalTestEnvironment(new UnansweredWindowWatch);

}  // namespace
