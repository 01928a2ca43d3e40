#pragma once
// A thread's message loop: messages are offered for pre-translation (from the target window up
// through its parents, to the main window for a key another top-level window lends it, then to
// the loop's own filter), dispatched, and whenever the queue runs empty the idle handler is
// called with a rising count until it returns false. While it runs, its first look sees every
// message that any loop of the thread takes from the queue, before anything else does: its own
// (also messages posted to the thread), DispatchWaiting, and the loops Windows runs for message
// boxes, dialogs and menus.
#include <windows.h>

#include <functional>

class MessageLoop {
 public:
  std::function<bool(long count)> onIdle;           // optional
  std::function<bool(MSG& message)> firstLook;      // optional, before anything else; true: taken
  std::function<bool(MSG& message)> preTranslate;   // optional, after the windows' own
  std::function<void(const MSG& message)> onThreadMessage;  // messages posted to the thread itself
  std::function<HWND()> mainWindow;  // optional: takes the keys other top-level windows lend it

  // Runs until WM_QUIT; returns its exit code.
  int Run();

  // Dispatches whatever is waiting in the calling thread's queue, then returns (for loops that
  // keep a thread busy but must keep its windows painted).
  static void DispatchWaiting();

  bool PreTranslate(MSG& message);

 private:
  static bool ResetsIdle(const MSG& message);
  bool LentToMainWindow(MSG& message) const;
};
