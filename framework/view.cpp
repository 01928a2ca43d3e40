#include "view.h"

#include "frame_window.h"

LRESULT View::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    FrameWindow* frame = dynamic_cast<FrameWindow*>(Window::FromHandle(::GetAncestor(Handle(), GA_ROOT)));
    if (frame) frame->SetActiveView(this);
  }
  return Window::WndProc(message, wParam, lParam);
}
