#pragma once
// The main window's part for tests of the thumbnail view: results of the loader go back to the
// view.
#include <windows.h>

#include "private_messages.h"
#include "vireldan_view.h"
#include "window.h"

class ViewTestHost : public Window {
 public:
  CVireldanView* view = nullptr;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_THUMB_READY && view) {
      view->OnThumbnailReady();
      return 0;
    }
    return Window::WndProc(message, wParam, lParam);
  }
};
