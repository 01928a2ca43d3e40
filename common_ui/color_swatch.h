#pragma once
// Colour choices on option pages and dialogs: a group box of the template (CColorGroupBox)
// grows a swatch (CColorSwatch) that fills its inside with the colour. Double-clicking the
// swatch opens the colour chooser; the answer, also a cancelled one, is posted as
// WM_COLOR_CHANGED (wParam 0, lParam the colour) to the page or dialog holding the group box.
#include <windows.h>

#include "window.h"

class CColorSwatch : public Window {
 public:
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return color_; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void ChooseColor();

  COLORREF color_ = 0;
};

class CColorGroupBox : public Window {
 public:
  // compact: the group box has no caption to leave room for.
  bool CreateSwatch(COLORREF color, bool compact);
  // Ignored until the swatch exists; CreateSwatch's colour holds until then.
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return swatch_.GetColor(); }
  bool HasSwatch() const { return created_; }
  HWND Swatch() const { return swatch_.Handle(); }

 private:
  CColorSwatch swatch_;
  bool created_ = false;
};
