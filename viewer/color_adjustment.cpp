#include "color_adjustment.h"

#include <algorithm>

#include "Cimage.h"

namespace {

struct ToneSteps {
  int normal;
  int fast;
};

ToneSteps StepsOf(ToneControl control) {
  return control == ToneControl::kBrightness ? ToneSteps{2, 10} : ToneSteps{5, 25};
}

}  // namespace

int SteppedTone(ToneControl control, int value, bool up, bool fast) {
  const ToneSteps steps = StepsOf(control);
  const int step = fast ? steps.fast : steps.normal;
  const long long moved = static_cast<long long>(value) + (up ? step : -step);
  return int(std::clamp<long long>(moved, ColorAdjustment::kMinimum, ColorAdjustment::kMaximum));
}

int ToggledCurveMode(int mode) { return mode == 2 ? 3 : 2; }

void AdjustYccPicture(Cimage& picture, const ColorAdjustment& adjustment) {
  picture.Saturation(adjustment.saturation, adjustment.saturationMode);
  picture.Brightness(adjustment.brightness);
  picture.Contrast(adjustment.contrast, adjustment.contrastMode);
}

void ApplyColorAdjustment(Cimage& picture, const ColorAdjustment& adjustment) {
  picture.RGBtoYCC();
  AdjustYccPicture(picture, adjustment);
  picture.YCCtoRGB();
}
