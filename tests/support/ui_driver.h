#pragma once
// Drives the program's windows from a second thread, the way a user would: find a window by its
// caption, type into its controls, press its buttons.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// A top-level window of this process with the caption, waited for up to the time given; null
// when none appears.
HWND WaitForWindow(const std::string& caption, DWORD milliseconds = 30000);

// Presses a button of a dialog (as a click would, through WM_COMMAND).
void PressButton(HWND dialog, int id);

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
