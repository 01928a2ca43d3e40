#pragma once
// Tips over a dialog's controls: one tip window for the dialog, a fixed text per control.
#include <windows.h>

class ToolTips {
 public:
  ToolTips() = default;
  ~ToolTips();
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  bool Create(HWND owner);
  // The tip shown while the mouse rests on the control; the text is copied.
  bool Add(HWND control, const char* text);
  HWND Handle() const { return tips_; }

 private:
  HWND owner_ = nullptr;
  HWND tips_ = nullptr;
};
