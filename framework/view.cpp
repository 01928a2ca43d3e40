#include "view.h"

#include "frame_window.h"

void View::BecomeActive() {
  FrameWindow* frame = dynamic_cast<FrameWindow*>(Window::FromHandle(::GetAncestor(Handle(), GA_ROOT)));
  if (frame) frame->SetActiveView(this);
}

LRESULT View::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) BecomeActive();
  return Window::WndProc(message, wParam, lParam);
}
