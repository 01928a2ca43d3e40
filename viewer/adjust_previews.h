#pragma once
// The colour adjustment's two kinds of preview: the adjusted picture, and a plot of one tone curve.
#include <windows.h>

#include "window.h"

class Cimage;

// Shows a picture it does not own, centred on white.
class CAdjustPreviewWnd : public Window {
 public:
  void SetImage(Cimage* image);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Cimage* image_ = nullptr;
};

// Plots the library's curve for a value and shape in black on white. A double-click is reported
// to the dialog as the frame's STN_DBLCLK, as a notifying static would.
class CCurvePreviewWnd : public Window {
 public:
  void SetCurve(int value, int shape);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();

  int value_ = 100;
  int shape_ = 1;
};
