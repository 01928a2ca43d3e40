#pragma once
// A pane that says what will appear in it, for the parts of the window that later work fills.
#include <string>

#include "view.h"

class PlaceholderPane : public View {
 public:
  bool Create(HWND parent, UINT id, const std::string& text);
  void SetMessage(const std::string& text);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string text_;
};
