#pragma once
// A view whose whole client area is one child control (a tree, a list): the control takes the
// pane's size and its focus, the pane is the active view while the control has the focus, and
// the control's notifications come to OnControlNotify.
#include "view.h"

class ControlPane : public View {
 protected:
  // The control that fills the pane, once it is made.
  void SetControl(HWND control) { control_ = control; }
  // A notification of the control; true when handled (result is then the answer).
  virtual bool OnControlNotify(NMHDR* header, LRESULT& result) = 0;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND control_ = nullptr;
};
