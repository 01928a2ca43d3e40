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
      if (!control_ || header->hwndFrom != control_) break;
      // The control has the focus: commands go to this pane first.
      if (header->code == NM_SETFOCUS) BecomeActive();
      LRESULT result = 0;
      if (OnControlNotify(header, result)) return result;
      break;
    }
    default:
      break;
  }
  return View::WndProc(message, wParam, lParam);
}
