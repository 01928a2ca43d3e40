#include "adjust_color_dlg.h"

#include <iterator>

#include "frame_child.h"
#include "resource.h"

namespace {

// The preview keeps a margin of white around the picture.
constexpr int kPreviewMargin = 14;
constexpr int kFitIntoBox = 2;

struct ToneButton {
  int id;
  ToneControl control;
  bool up;
  const char* tip;
};

constexpr ToneButton kToneButtons[] = {
    {IDC_BRIGHTNESS_UP, ToneControl::kBrightness, true, "Brighter"},
    {IDC_BRIGHTNESS_DOWN, ToneControl::kBrightness, false, "Darker"},
    {IDC_SATURATION_UP, ToneControl::kSaturation, true, "More color"},
    {IDC_SATURATION_DOWN, ToneControl::kSaturation, false, "Less color"},
    {IDC_CONTRAST_UP, ToneControl::kContrast, true, "Increase contrast"},
    {IDC_CONTRAST_DOWN, ToneControl::kContrast, false, "Decrease contrast"},
};

struct Tip {
  int id;
  const char* text;
};

constexpr Tip kButtonTips[] = {{IDOK, "Apply these settings"}, {IDCANCEL, "Cancel color adjust"}};

bool FastStep() { return ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

CAdjustColorDlg::CAdjustColorDlg(const Cimage& picture) : Dialog(IDD_ADJUST_COLOR), picture_(picture) {}

bool CAdjustColorDlg::OnInitDialog() {
  CreatePreviews();
  BindButtons();
  RECT inside = {};
  ::GetClientRect(preview_.Handle(), &inside);
  source_ = picture_;
  source_.ReSample(inside.right - kPreviewMargin, inside.bottom - kPreviewMargin, kFitIntoBox);
  source_.RGBtoYCC();
  Update();
  AddTips();
  return true;
}

void CAdjustColorDlg::CreatePreviews() {
  CreateInsideFrame(preview_, Item(IDC_ADJUST_PREVIEW));
  CreateInsideFrame(brightnessCurve_, Item(IDC_BRIGHTNESS_CURVE));
  CreateInsideFrame(saturationCurve_, Item(IDC_SATURATION_CURVE));
  CreateInsideFrame(contrastCurve_, Item(IDC_CONTRAST_CURVE));
}

void CAdjustColorDlg::BindButtons() {
  for (size_t i = 0; i < std::size(kToneButtons); ++i) {
    const ToneButton& button = kToneButtons[i];
    buttons_[i].Bind(Item(button.id), button.up ? IDB_PLUS_UP : IDB_MINUS_UP,
                     button.up ? IDB_PLUS_DOWN : IDB_MINUS_DOWN);
  }
}

void CAdjustColorDlg::AddTips() {
  if (!tips_.Create(Handle())) return;
  for (const ToneButton& button : kToneButtons) tips_.Add(Item(button.id), button.tip);
  for (const Tip& tip : kButtonTips) tips_.Add(Item(tip.id), tip.text);
}

bool CAdjustColorDlg::StepTone(int buttonId) {
  for (const ToneButton& button : kToneButtons) {
    if (button.id != buttonId) continue;
    int& value = button.control == ToneControl::kBrightness   ? adjustment.brightness
                 : button.control == ToneControl::kSaturation ? adjustment.saturation
                                                              : adjustment.contrast;
    value = SteppedTone(button.control, value, button.up, FastStep());
    return true;
  }
  return false;
}

bool CAdjustColorDlg::OnCommand(int id, int code) {
  if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && StepTone(id)) {
    Update();
    return true;
  }
  if (id == IDC_ADJUST_RESET && code == BN_CLICKED) {
    adjustment.brightness = adjustment.saturation = adjustment.contrast = ColorAdjustment::kNeutral;
    Update();
    return true;
  }
  if (code == STN_DBLCLK && (id == IDC_SATURATION_CURVE || id == IDC_CONTRAST_CURVE)) {
    int& mode = id == IDC_SATURATION_CURVE ? adjustment.saturationMode : adjustment.contrastMode;
    mode = ToggledCurveMode(mode);
    Update();
    return true;
  }
  return Dialog::OnCommand(id, code);
}

bool CAdjustColorDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_DRAWITEM || !BitmapButton::DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
    return Dialog::OnMessage(message, wParam, lParam, result);
  result = TRUE;
  return true;
}

void CAdjustColorDlg::Update() {
  previewImage_ = source_;
  AdjustYccPicture(previewImage_, adjustment);
  previewImage_.YCCtoRGB();
  preview_.SetImage(&previewImage_);
  brightnessCurve_.SetCurve(adjustment.brightness, 1);
  saturationCurve_.SetCurve(adjustment.saturation, adjustment.saturationMode);
  contrastCurve_.SetCurve(adjustment.contrast, adjustment.contrastMode);
}
