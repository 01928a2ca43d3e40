#pragma once
// A window that takes no input for the scope: the main window while a long operation runs on
// its thread and shows its own questions.
#include <windows.h>

class DisabledWindow {
 public:
  explicit DisabledWindow(HWND window) : window_(window) { ::EnableWindow(window_, FALSE); }
  ~DisabledWindow() { ::EnableWindow(window_, TRUE); }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

 private:
  HWND window_;
};
