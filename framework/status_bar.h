#pragma once
// The status bar along the frame's bottom edge, in panes.
#include <windows.h>

#include <string>
#include <vector>

#include "window.h"

class StatusBar : public Window {
 public:
  bool Create(HWND parent, UINT id);
  // Widths of the panes after the first, which takes the rest.
  void SetPaneWidths(const std::vector<int>& widths);
  void SetPaneText(int pane, const std::string& text);
  std::string PaneText(int pane) const;
  int Height() const;
  // Keeps the pane widths when the frame's width changes.
  void Resize();

 private:
  std::vector<int> widths_;
};
