// The colour adjustment's arithmetic, in both trees: how its buttons step and clamp the three
// values, and what the whole pass does to a real photograph (the order of the three curves
// included).
#include <algorithm>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "color_adjustment.h"
#include "missing_files.h"
#include "viewer_pictures.h"

namespace {

TEST(ColorAdjustmentSteps, MoveByTheirStepAndStopAtTheLimits) {
  const struct {
    ToneControl control;
    int value;
    bool up, fast;
    int expected;
  } cases[] = {
      {ToneControl::kBrightness, 100, true, false, 102},  {ToneControl::kBrightness, 100, false, false, 98},
      {ToneControl::kBrightness, 100, true, true, 110},   {ToneControl::kBrightness, 100, false, true, 90},
      {ToneControl::kBrightness, 1, false, false, 0},     {ToneControl::kBrightness, 199, true, false, 200},
      {ToneControl::kBrightness, 195, true, true, 200},   {ToneControl::kBrightness, 0, false, false, 0},
      {ToneControl::kSaturation, 100, true, false, 105},  {ToneControl::kSaturation, 100, false, true, 75},
      {ToneControl::kSaturation, 180, true, true, 200},   {ToneControl::kSaturation, 3, false, false, 0},
      {ToneControl::kSaturation, 200, true, false, 200},  {ToneControl::kContrast, 100, true, true, 125},
      {ToneControl::kContrast, 22, false, true, 0},       {ToneControl::kContrast, 198, true, false, 200},
      // Values a caller set outside the range come back inside it with the first step.
      {ToneControl::kContrast, 250, false, false, 200},   {ToneControl::kBrightness, -40, true, false, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SteppedTone(c.control, c.value, c.up, c.fast), c.expected)
        << int(c.control) << " " << c.value << (c.up ? " up" : " down") << (c.fast ? " fast" : "");
}

struct Spread {
  int largestChannelGap = 0;  // the most any pixel's channels differ from each other
  int darkest = 255;
  int brightest = 0;
};

Spread SpreadOf(const Cimage& picture) {
  Spread spread;
  for (int y = 0; y < picture.m_height; ++y) {
    const uint8_t* p = picture.m_pixels + size_t(y) * size_t(picture.m_stride);
    for (int x = 0; x < picture.m_width; ++x, p += 3) {
      const auto [low, high] = std::minmax({p[0], p[1], p[2]});
      spread.largestChannelGap = std::max(spread.largestChannelGap, high - low);
      spread.darkest = std::min<int>(spread.darkest, low);
      spread.brightest = std::max<int>(spread.brightest, high);
    }
  }
  return spread;
}

TEST(ColorAdjustmentPass, ChangesARealPhotographAsItsValuesSay) {
  const std::string flower = FlowerPhotoPath();
  if (flower.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  Cimage original;
  original.LoadImageA(flower.c_str(), 260, 260, 1);
  ASSERT_TRUE(original.m_pixels && !original.m_loadError);
  const Spread before = SpreadOf(original);
  ASSERT_GT(before.largestChannelGap, 100);  // a colourful picture to begin with

  const struct {
    const char* what;
    ColorAdjustment adjustment;
    int largestChannelGap, darkest, brightest;  // -1: not checked
    int slack;
  } cases[] = {
      // Shape 3 scales about the middle, so at 0 it flattens.
      {"no saturation of shape 3: every pixel grey", {100, 0, 100, 3, 2}, 0, -1, -1, 1},
      {"no brightness and no saturation: black", {0, 0, 100, 3, 2}, 0, 0, 0, 1},
      {"flat contrast of shape 3 and no saturation: mid grey", {100, 0, 0, 3, 3}, 0, 128, 128, 1},
      // Contrast comes after brightness: the flattening wins over the brightening.
      {"brightest, then flat contrast", {200, 0, 0, 3, 3}, 0, 128, 128, 1},
      {"double brightness clips the highlights", {200, 100, 100, 2, 2}, -1, -1, 255, 0},
  };
  for (const auto& c : cases) {
    Cimage picture(original);
    ApplyColorAdjustment(picture, c.adjustment);
    ASSERT_EQ(picture.m_width, original.m_width) << c.what;
    const Spread after = SpreadOf(picture);
    if (c.largestChannelGap >= 0) {
      EXPECT_NEAR(after.largestChannelGap, c.largestChannelGap, c.slack) << c.what;
    }
    if (c.darkest >= 0) {
      EXPECT_NEAR(after.darkest, c.darkest, c.slack) << c.what;
    }
    if (c.brightest >= 0) {
      EXPECT_NEAR(after.brightest, c.brightest, c.slack) << c.what;
    }
  }

  // The neutral values change nothing but the rounding of the colour conversion.
  Cimage neutral(original);
  ApplyColorAdjustment(neutral, ColorAdjustment{});
  EXPECT_LE(LargestDifference(neutral, original, 0, 0), 3);
}

}  // namespace
