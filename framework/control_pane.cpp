#include "control_pane.h"

#include <commctrl.h>

LRESULT ControlPane::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ::MoveWindow(control_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      BecomeActive();
      ::SetFocus(control_);
      return 0;
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT result = 0;
      if (control_ && header->hwndFrom == control_ && OnControlNotify(header, result)) return result;
      break;
    }
    default:
      break;
  }
  return View::WndProc(message, wParam, lParam);
}
