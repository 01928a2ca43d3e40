// The shared palette of palette displays, the 8-bit copies dithered to it, and what each
// display depth means for drawing.
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "display_palette.h"
#include "palette_test_pictures.h"

namespace {

using ravelight::ClassifyDisplay;
using ravelight::DisplayPaletteColours;
using ravelight::DisplayPaletteIndices;

struct DepthCase {
  int bits;
  bool highColour, usePalette, supported;
};

TEST(DisplayDepth, DecidesDitherPaletteAndSupport) {
  const DepthCase cases[] = {
      {1, false, true, false},  {4, false, true, false},  {8, false, true, true},  {15, true, false, true},
      {16, true, false, true},  {24, false, false, true}, {32, false, false, true},
  };
  for (const DepthCase& c : cases) {
    const ravelight::DisplayDepth depth = ClassifyDisplay(c.bits);
    EXPECT_EQ(depth.highColour, c.highColour) << c.bits << " bits";
    EXPECT_EQ(depth.usePalette, c.usePalette) << c.bits << " bits";
    EXPECT_EQ(depth.supported, c.supported) << c.bits << " bits";
  }
}

int CubeEntry(int red, int green, int blue) { return red / 51 * 36 + green / 51 * 6 + blue / 51; }

TEST(DisplayPalette, IsTheSixLevelCubeThenBlack) {
  const ravelight::ColourMap& palette = DisplayPaletteColours();
  ASSERT_EQ(palette.count, 236);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) {
        const int i = CubeEntry(51 * r, 51 * g, 51 * b);
        EXPECT_EQ(Rgb({palette.red[i], palette.green[i], palette.blue[i]}), Rgb({uint8_t(51 * r), uint8_t(51 * g), uint8_t(51 * b)}))
            << "entry " << i;
      }
  for (int i = 216; i < 236; ++i) EXPECT_EQ(Rgb({palette.red[i], palette.green[i], palette.blue[i]}), Rgb({0, 0, 0})) << i;
}

using Indices = std::unique_ptr<uint8_t, decltype(&std::free)>;

Indices IndicesOf(const Cimage& picture) { return Indices(DisplayPaletteIndices(picture), &std::free); }

TEST(DisplayPaletteCopy, MapsCubeColoursToTheirOwnEntriesInPaddedRows) {
  // 5 wide: rows of 5 indexes padded to 8.
  const BgrImage image = MakeBgrImage(5, 4, [](int x, int y) {
    return Rgb{uint8_t(51 * ((x + y) % 6)), uint8_t(51 * (x % 6)), uint8_t(51 * ((2 * x + 3 * y) % 6))};
  });
  Cimage picture;
  MakePicture(picture, image);
  const Indices indices = IndicesOf(picture);
  ASSERT_TRUE(indices);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const Rgb c = image.At(x, y);
      EXPECT_EQ(indices.get()[8 * y + x], CubeEntry(c.red, c.green, c.blue)) << x << "," << y;
    }
    for (int x = 5; x < 8; ++x) EXPECT_EQ(indices.get()[8 * y + x], 0) << "padding of row " << y;
  }
}

TEST(DisplayPaletteCopy, DithersToTheRightAverageWithinTheCube) {
  const ravelight::ColourMap& palette = DisplayPaletteColours();
  for (int level : {20, 77, 128, 230}) {
    Cimage picture;
    MakePicture(picture, MakeBgrImage(64, 64, [&](int, int) { return Rgb{uint8_t(level), uint8_t(level / 2), 255}; }));
    const Indices indices = IndicesOf(picture);
    ASSERT_TRUE(indices);
    double red = 0, green = 0, blue = 0;
    for (int i = 0; i < 64 * 64; ++i) {
      const int entry = indices.get()[i];
      ASSERT_LT(entry, 216);
      red += palette.red[entry];
      green += palette.green[entry];
      blue += palette.blue[entry];
    }
    EXPECT_NEAR(red / 4096, level, 1.0);
    EXPECT_NEAR(green / 4096, level / 2, 1.0);
    EXPECT_EQ(blue / 4096, 255.0);
  }
}

TEST(DisplayPaletteCopy, NoneForUnusablePictures) {
  Cimage empty;
  EXPECT_FALSE(IndicesOf(empty));
  Cimage failed;
  MakePicture(failed, RainbowImage(4, 4));
  failed.m_loadError = 1;
  EXPECT_FALSE(IndicesOf(failed));
}

}  // namespace
