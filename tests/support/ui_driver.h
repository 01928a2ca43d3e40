#pragma once
// Drives the program's windows from a second thread, the way a user would: find a window by its
// caption, type into its controls, press its buttons.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

// A top-level window of this process with the caption, waited for up to the time given; null
// when none appears.
HWND WaitForWindow(const std::string& caption, DWORD milliseconds = 30000);

// Presses a button of a dialog (as a click would, through WM_COMMAND).
void PressButton(HWND dialog, int id);

// Real input, as the mouse and the keyboard make it (SendInput): it reaches the window under the
// pointer or with the focus, updates the key state and carries the pointer's position.
// The pointer to a point of the screen; true when it got there.
bool MoveMouseTo(POINT screen);
// The left button goes down or up where the pointer is.
void PressLeftButton(bool down);
// A key typed with modifiers (VK_CONTROL, VK_MENU, VK_SHIFT) held.
void TypeKey(WORD key, std::initializer_list<WORD> modifiers = {});

// Waits until done() holds, polling; done()'s last answer.
bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 10000);

// Runs steps on a thread of its own and joins it when it goes out of scope.
class UiDriver {
 public:
  explicit UiDriver(std::function<void()> steps) : thread_(std::move(steps)) {}
  ~UiDriver() { thread_.join(); }
  UiDriver(const UiDriver&) = delete;
  UiDriver& operator=(const UiDriver&) = delete;

 private:
  std::thread thread_;
};
