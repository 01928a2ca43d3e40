#pragma once
// "Adjust Color": brightness, saturation and contrast of a picture, with a reduced preview of the
// result and plots of the three curves. The dialog only reads the caller's picture, which must
// outlive it: whatever was previewed, the picture is untouched, and after OK the caller applies
// the values (ApplyColorAdjustment) to it. It keeps no full-size copy, so that the edit that
// follows holds no more than the picture and its undo copy.
#include <windows.h>

#include "Cimage.h"
#include "adjust_previews.h"
#include "bitmap_button.h"
#include "color_adjustment.h"
#include "dialog.h"
#include "tool_tips.h"

class CAdjustColorDlg : public Dialog {
 public:
  explicit CAdjustColorDlg(const Cimage& picture);

  // The starting values; after OK, the chosen ones.
  ColorAdjustment adjustment;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void CreatePreviews();
  void BindButtons();
  void AddTips();
  bool StepTone(int buttonId);
  void Update();

  CAdjustPreviewWnd preview_;
  CCurvePreviewWnd brightnessCurve_;
  CCurvePreviewWnd saturationCurve_;
  CCurvePreviewWnd contrastCurve_;
  BitmapButton buttons_[6];
  ToolTips tips_;
  // The caller's picture; from it, each time the dialog opens, the source: reduced to the
  // preview's size and kept in YCbCr. The preview image is made from the source again after
  // every change.
  const Cimage& picture_;
  Cimage source_;
  Cimage previewImage_;
};
