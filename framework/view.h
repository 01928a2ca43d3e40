#pragma once
// A pane of a frame that takes commands first while it is active (it, or a window inside it,
// has the keyboard focus). Views may be plain child windows or system controls made with
// CreateControl.
#include "command_routing.h"
#include "window.h"

class View : public Window, public CommandTarget {
 protected:
  // Makes this view the frame's active view; views whose focus lies in a child control call it
  // when that control gets the focus.
  void BecomeActive();
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
