// Conversion of whole pictures between blue, green, red and the Y, Cb, Cr layout, and the single
// conversion the decoders use.
#include <climits>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "pixel_test_pictures.h"

namespace {

struct Primary {
  Rgb colour;
  int y, cb, cr;
};

// The JFIF values of the primaries, secondaries, white and black.
const Primary kPrimaries[] = {
    {RgbOf(255, 0, 0), 76, 85, 255},    {RgbOf(0, 255, 0), 150, 44, 21},  {RgbOf(0, 0, 255), 29, 255, 107},
    {RgbOf(255, 255, 0), 226, 0, 149},  {RgbOf(0, 255, 255), 179, 171, 0}, {RgbOf(255, 0, 255), 105, 212, 235},
    {RgbOf(255, 255, 255), 255, 128, 128}, {RgbOf(0, 0, 0), 0, 128, 128}};
constexpr int kPrimaryCount = int(sizeof kPrimaries / sizeof kPrimaries[0]);

TEST(YccConversion, PrimariesTakeTheirJfifValuesInBlueGreenRedPlaces) {
  Cimage picture;
  MakeMarkedPicture(picture, kPrimaryCount, 1, [](int x, int) { return kPrimaries[x].colour; });
  picture.RGBtoYCC();
  for (int x = 0; x < kPrimaryCount; ++x) {
    const Rgb ycc = PixelAt(picture, x, 0);
    EXPECT_EQ(ycc.blue, kPrimaries[x].y) << Describe(kPrimaries[x].colour);
    EXPECT_EQ(ycc.green, kPrimaries[x].cb) << Describe(kPrimaries[x].colour);
    EXPECT_EQ(ycc.red, kPrimaries[x].cr) << Describe(kPrimaries[x].colour);
  }
}

TEST(YccConversion, PrimariesComeBackWithinOne) {
  Cimage picture;
  MakeMarkedPicture(picture, 1, kPrimaryCount, [](int, int y) { return kPrimaries[y].colour; });
  picture.RGBtoYCC();
  picture.YCCtoRGB();
  for (int y = 0; y < kPrimaryCount; ++y) {
    const Rgb back = PixelAt(picture, 0, y), want = kPrimaries[y].colour;
    EXPECT_LE(std::abs(back.red - want.red), 1) << Describe(want) << " came back as " << Describe(back);
    EXPECT_LE(std::abs(back.green - want.green), 1) << Describe(want) << " came back as " << Describe(back);
    EXPECT_LE(std::abs(back.blue - want.blue), 1) << Describe(want) << " came back as " << Describe(back);
  }
}

TEST(YccConversion, GreysComeBackExactlyInEveryShape) {
  const struct {
    int width, height;
  } shapes[] = {{256, 1}, {1, 256}, {17, 16}};  // a row, a column, odd width with padding
  for (const auto& shape : shapes) {
    Cimage picture;
    MakeMarkedPicture(picture, shape.width, shape.height, [&](int x, int y) { return Grey((y * shape.width + x) % 256); });
    const std::vector<uint8_t> before = BufferBytes(picture);
    picture.RGBtoYCC();
    for (int y = 0; y < shape.height; ++y)
      for (int x = 0; x < shape.width; ++x) {
        const int grey = (y * shape.width + x) % 256;
        ASSERT_EQ(PixelAt(picture, x, y), (Rgb{128, 128, uint8_t(grey)})) << "grey " << grey;
      }
    picture.YCCtoRGB();
    EXPECT_EQ(BufferBytes(picture), before) << shape.width << " x " << shape.height;
  }
}

TEST(YccConversion, InverseOfAPictureMatchesTheSingleConversion) {
  // Every Y, Cb, Cr triple on a coarse grid, extremes included, as a picture and one by one.
  std::vector<Rgb> triples;
  for (int y = 0; y < 256; y += 51)
    for (int cb = 0; cb < 256; cb += 15)
      for (int cr = 0; cr < 256; cr += 15) triples.push_back({uint8_t(cr), uint8_t(cb), uint8_t(y)});
  Cimage picture;
  MakeMarkedPicture(picture, int(triples.size()), 1, [&](int x, int) { return triples[x]; });
  picture.YCCtoRGB();
  for (size_t i = 0; i < triples.size(); ++i) {
    const Rgb rgb = PixelAt(picture, int(i), 0);
    const unsigned packed = unsigned(rgb.blue) | unsigned(rgb.green) << 8 | unsigned(rgb.red) << 16;
    ASSERT_EQ(RGBfromYCC(triples[i].blue, triples[i].green, triples[i].red), packed)
        << "y " << int(triples[i].blue) << " cb " << int(triples[i].green) << " cr " << int(triples[i].red);
  }
}

TEST(RgbFromYcc, PacksBlueInTheLowByte) {
  EXPECT_EQ(RGBfromYCC(128, 128, 128), 0x00808080u);
  // Red, green and blue as RGBtoYCC gives them, each a step off on the way back.
  EXPECT_EQ(RGBfromYCC(76, 85, 255), 0x00FE0000u);
  EXPECT_EQ(RGBfromYCC(150, 44, 21), 0x0000FF01u);
  EXPECT_EQ(RGBfromYCC(29, 255, 107), 0x000000FEu);
}

TEST(RgbFromYcc, ValuesOutsideTheRangeClampInsteadOfIndexingOutsideTheTables) {
  EXPECT_EQ(RGBfromYCC(300, 128, 128), 0x00FFFFFFu);
  EXPECT_EQ(RGBfromYCC(-5, 128, 128), 0u);
  EXPECT_EQ(RGBfromYCC(INT_MAX, 128, 128), 0x00FFFFFFu);
  EXPECT_EQ(RGBfromYCC(INT_MIN, 128, 128), 0u);
  EXPECT_EQ(RGBfromYCC(100, -1000, 5000), RGBfromYCC(100, 0, 255));
  EXPECT_EQ(RGBfromYCC(100, INT_MAX, INT_MIN), RGBfromYCC(100, 255, 0));
}

}  // namespace
