// Tone curves, the adjustments built on them, and the gain.
#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "pixel_test_pictures.h"

namespace {

std::vector<int> Curve(int amount, int kind) {
  std::vector<int> curve(256);
  MakeCurve(curve.data(), amount, kind);
  return curve;
}

TEST(MakeCurve, OneHundredIsTheIdentityInEveryKind) {
  std::vector<int> identity(256);
  for (int i = 0; i < 256; ++i) identity[i] = i;
  for (int kind : {1, 2, 3, 0, 4, -1}) EXPECT_EQ(Curve(100, kind), identity) << "kind " << kind;
}

TEST(MakeCurve, GainDoublesAndClipsAtTwoHundred) {
  const std::vector<int> curve = Curve(200, 1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(curve[i], std::min(2 * i, 255)) << i;
  const std::vector<int> half = Curve(50, 1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(half[i], i / 2) << i;
  EXPECT_EQ(Curve(200, 7), curve) << "unknown kinds are gains";
}

TEST(MakeCurve, ValuesWorkedOutByHand) {
  const struct {
    int amount, kind, index, value;
  } cases[] = {
      // Scaling about 128: the quotient truncates toward zero, so 255 at half scale is 191, not 192.
      {50, 3, 0, 64},    {50, 3, 1, 65},    {50, 3, 128, 128}, {50, 3, 255, 191},
      {300, 3, 0, 0},    {300, 3, 100, 44}, {300, 3, 160, 224}, {300, 3, 255, 255},
      // S-shaped: slope (15000 - 10000) / 128 = 39; factor 39 × 64 + 10000 at 64, 39 × 56 + 10000 at 200.
      {150, 2, 0, 0},    {150, 2, 64, 49},  {150, 2, 128, 128}, {150, 2, 200, 215}, {150, 2, 255, 255},
      // A flatter curve: slope -39 (truncated toward zero from -39.06).
      {50, 2, 64, 80},   {50, 2, 192, 176}, {50, 2, 255, 254},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Curve(c.amount, c.kind)[c.index], c.value)
        << "amount " << c.amount << " kind " << c.kind << " at " << c.index;
}

TEST(MakeCurve, AbsurdAmountsClampWithoutOverflow) {
  for (int kind : {1, 2, 3})
    for (int amount : {INT_MAX, INT_MIN, INT_MAX / 100, INT_MIN / 100 - 1, -1, 0}) {
      const std::vector<int> curve = Curve(amount, kind);
      for (int v : curve) ASSERT_TRUE(v >= 0 && v <= 255) << "amount " << amount << " kind " << kind;
    }
  EXPECT_EQ(Curve(INT_MAX, 1)[0], 0);
  EXPECT_EQ(Curve(INT_MAX, 1)[1], 255);
  EXPECT_EQ(Curve(INT_MIN, 1)[255], 0);
  const std::vector<int> steep = Curve(INT_MAX, 3);
  EXPECT_EQ(steep[127], 0);
  EXPECT_EQ(steep[128], 128);
  EXPECT_EQ(steep[129], 255);
  const std::vector<int> inverted = Curve(INT_MIN, 3);
  EXPECT_EQ(inverted[0], 255);
  EXPECT_EQ(inverted[255], 0);
  const std::vector<int> s = Curve(INT_MAX, 2);
  EXPECT_EQ(s[64], 0);
  EXPECT_EQ(s[128], 128);
  EXPECT_EQ(s[200], 255);
}

TEST(MakeCurve, NullCurveIsIgnored) { MakeCurve(nullptr, 150, 2); }

// Every byte value in every plane, so each plane's mapping shows on its own.
Rgb Ramp(int x, int y) { return {uint8_t(x * 16 + y), uint8_t(255 - x - 16 * y), uint8_t(x + 16 * y)}; }

TEST(ToneAdjustments, EachMapsOnlyItsOwnPlanes) {
  const struct {
    const char* name;
    std::function<void(Cimage&)> apply;
    int amount, kind;
    bool luma, chroma;
  } cases[] = {
      {"Brightness", [](Cimage& p) { p.Brightness(130); }, 130, 1, true, false},
      {"Contrast S-shaped", [](Cimage& p) { p.Contrast(140, 2); }, 140, 2, true, false},
      {"Contrast scaled", [](Cimage& p) { p.Contrast(70, 3); }, 70, 3, true, false},
      {"Saturation S-shaped", [](Cimage& p) { p.Saturation(160, 2); }, 160, 2, false, true},
      {"Saturation scaled", [](Cimage& p) { p.Saturation(40, 3); }, 40, 3, false, true},
  };
  for (const auto& c : cases) {
    Cimage picture;
    MakeMarkedPicture(picture, 16, 16, Ramp);
    const std::vector<int> curve = Curve(c.amount, c.kind);
    c.apply(picture);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const Rgb before = Ramp(x, y), after = PixelAt(picture, x, y);
        ASSERT_EQ(after.blue, c.luma ? curve[before.blue] : before.blue) << c.name << " Y at " << x << "," << y;
        ASSERT_EQ(after.green, c.chroma ? curve[before.green] : before.green) << c.name << " Cb at " << x << "," << y;
        ASSERT_EQ(after.red, c.chroma ? curve[before.red] : before.red) << c.name << " Cr at " << x << "," << y;
      }
    EXPECT_TRUE(PaddingIntact(picture)) << c.name;
  }
}

TEST(ToneAdjustments, TheAdjustDialogsChainKeepsGreysGreyAndFollowsTheCurves) {
  Cimage picture;
  MakeMarkedPicture(picture, 256, 1, [](int x, int) { return Grey(x); });
  picture.RGBtoYCC();
  picture.Brightness(120);
  picture.Contrast(130, 2);
  picture.Saturation(180, 3);
  picture.YCCtoRGB();
  const std::vector<int> brighter = Curve(120, 1), contrast = Curve(130, 2);
  for (int x = 0; x < 256; ++x) ASSERT_EQ(PixelAt(picture, x, 0), Grey(contrast[brighter[x]])) << "grey " << x;
}

TEST(ToneAdjustments, NoSaturationLeavesOnlyTheLuminance) {
  Cimage picture;
  MakeMarkedPicture(picture, 16, 16, Ramp);
  picture.RGBtoYCC();
  const std::vector<std::vector<int>> luma = FirstChannel(picture);
  picture.Saturation(0, 3);
  picture.YCCtoRGB();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(PixelAt(picture, x, y), Grey(luma[y][x])) << x << "," << y;
}

TEST(ApplyGain, ScalesEveryChannelIn256ths) {
  const struct {
    int gain;
    std::function<int(int)> expected;
  } cases[] = {
      {256, [](int v) { return v; }},
      {128, [](int v) { return v / 2; }},
      {192, [](int v) { return v * 3 / 4; }},
      {0, [](int) { return 0; }},
      {512, [](int v) { return std::min(2 * v, 255); }},
      {-256, [](int) { return 0; }},
      {INT_MAX, [](int v) { return v ? 255 : 0; }},
      {INT_MIN, [](int) { return 0; }},
  };
  for (const auto& c : cases) {
    Cimage picture;
    MakeMarkedPicture(picture, 16, 16, Ramp);
    picture.ApplyGain(c.gain);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const Rgb before = Ramp(x, y);
        const Rgb want{uint8_t(c.expected(before.red)), uint8_t(c.expected(before.green)), uint8_t(c.expected(before.blue))};
        ASSERT_EQ(PixelAt(picture, x, y), want) << "gain " << c.gain << " at " << x << "," << y;
      }
  }
}

}  // namespace
