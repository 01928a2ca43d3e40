#pragma once
// The colour adjustment's five values, how its buttons step them, and applying them to a picture:
// the dialog's preview and the image window's final pass must apply them in the same order.
class Cimage;

struct ColorAdjustment {
  static constexpr int kNeutral = 100;
  static constexpr int kMinimum = 0;
  static constexpr int kMaximum = 200;

  int brightness = kNeutral;
  int saturation = kNeutral;
  int contrast = kNeutral;
  // The shape of the saturation and contrast curves the library draws: 2 or 3.
  int saturationMode = 2;
  int contrastMode = 2;
};

enum class ToneControl { kBrightness, kSaturation, kContrast };

// One click of a "+" or "-" button; fast while Shift or Ctrl is held. A step that would pass
// either limit stops at it.
int SteppedTone(ToneControl control, int value, bool up, bool fast);

// The other curve shape.
int ToggledCurveMode(int mode);

// Saturation, brightness and contrast on a picture already in the library's YCbCr layout.
void AdjustYccPicture(Cimage& picture, const ColorAdjustment& adjustment);

// The whole pass on an RGB picture: into YCbCr, the three curves, back to RGB.
void ApplyColorAdjustment(Cimage& picture, const ColorAdjustment& adjustment);
