#pragma once
// A file's annotation shown as a tip-coloured pop-up beside the mouse, inside its parent: it
// opens below and to the right of the cursor, and moves left or above the point where it would
// pass the parent's right or bottom edge. The owner destroys it.
#include <windows.h>

#include <string>

#include "window.h"

class CAnnotationWnd : public Window {
 public:
  static constexpr size_t kMaxText = 4000;
  static constexpr UINT kId = 10000;

  // Creates the window, visible, at the client point (x, y) of parent.
  CAnnotationWnd(HWND parent, int x, int y, const std::string& text);

  const std::string& Text() const { return text_; }
  bool IsMultiLine() const { return multiLine_; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  RECT Placement(HWND parent, int x, int y) const;
  void OnPaint();

  std::string text_;
  bool multiLine_;
};
