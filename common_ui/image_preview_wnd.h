#pragma once
// A child window showing one picture fitted into it, centred on white. It owns its picture; a
// file is decoded at the window's size, and the same file asked for again is not decoded again.
#include <windows.h>

#include <string>

#include "Cimage.h"
#include "window.h"

class CImagePreviewWnd : public Window {
 public:
  // 0 when the path is the file last loaded (nothing happens); otherwise the file is loaded into
  // the window's size, shown (white when it did not load), and the result is 1.
  int ShowFile(const std::string& path);
  // Shows a copy of the picture; the file last loaded stays remembered.
  void SetImage(const Cimage& image);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Cimage picture_;
  std::string fileName_;
};
