// Drawing on a palette display, under Wine on an 8-bit X display with a private colour map.
// Wine realises the palette there but draws other colours than the realised ones, so the 8-bit
// path is judged by the palette, the 8-bit copy and what the calls report, not by the screen.
#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "device_context.h"
#include "display_palette.h"
#include "display_test_support.h"

namespace {

constexpr int kWidth = 50, kHeight = 40;

std::vector<uint8_t> IndicesOf(const Cimage& picture) {
  const std::unique_ptr<uint8_t, decltype(&std::free)> indices(ravelight::DisplayPaletteIndices(picture), &std::free);
  if (!indices) return {};
  return {indices.get(), indices.get() + ravelight::IndexRowStride(picture.m_width) * picture.m_height};
}

std::vector<uint8_t> DisplayCopy(const Cimage& picture) {
  if (!picture.m_dispBits) return {};
  return {picture.m_dispBits, picture.m_dispBits + ravelight::IndexRowStride(picture.m_width) * picture.m_height};
}

class PaletteDisplay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ScreenDepth(), 8) << "these tests need an 8-bit display"; }
  void SetUp() override {
    ASSERT_EQ(Initialize_Palette(), 1);
    previous_ = ::SelectPalette(dc_.get(), Cimage::S_hpal, FALSE);  // as the program does on palette displays
    ASSERT_NE(previous_, nullptr);
  }
  void TearDown() override { ::SelectPalette(dc_.get(), previous_, FALSE); }

  TestWindow window_{kWidth, kHeight};
  ClientDC dc_{window_.Handle()};
  HPALETTE previous_ = nullptr;
};

TEST_F(PaletteDisplay, UsesTheSharedPaletteAndTheLargerOffsets) {
  EXPECT_EQ(Cimage::S_use_palette, 1);
  EXPECT_EQ(Cimage::S_16bit_color, 0);
  EXPECT_EQ(Cimage::S_dither_matrix_red[0][0], -21);
  EXPECT_EQ(Cimage::S_dither_matrix_red[0][15], 20);
  EXPECT_TRUE(IsTheDisplayPalette(Cimage::S_hpal));
}

TEST_F(PaletteDisplay, TheDisplayRealisesTheSharedPalette) {
  EXPECT_EQ(::RealizePalette(dc_.get()), 236u);
  EXPECT_EQ(::GetCurrentObject(dc_.get(), OBJ_PAL), Cimage::S_hpal);
}

TEST_F(PaletteDisplay, DrawsThroughAnIndexCopyMadeOncePerPixels) {
  ::RealizePalette(dc_.get());
  Cimage picture;
  MakePicture(picture, RainbowImage(kWidth, kHeight));
  const std::vector<uint8_t> before = PixelBytes(picture);
  picture.DisplayImage(dc_.get(), 0, 0);
  ASSERT_NE(picture.m_dispBits, nullptr);
  EXPECT_EQ(picture.m_displayDithered, 0);
  EXPECT_EQ(DisplayCopy(picture), IndicesOf(picture));
  EXPECT_EQ(PixelBytes(picture), before);

  EXPECT_TRUE(KeepsItsCopyUntilThePixelsChange(picture, dc_.get(), 0, 0, 200));
  EXPECT_EQ(DisplayCopy(picture), IndicesOf(picture)) << "a copy of the new pixels";
}

TEST_F(PaletteDisplay, ReplacesADitheredTrueColourCopy) {
  Cimage picture;
  MakePicture(picture, RainbowImage(kWidth, kHeight));
  CimageTestAccess::AddNoise(picture);  // as on a 16-bit display
  ASSERT_EQ(picture.m_displayDithered, 1);
  picture.DisplayImage(dc_.get(), 0, 0);
  EXPECT_EQ(picture.m_displayDithered, 0);
  EXPECT_EQ(DisplayCopy(picture), IndicesOf(picture));
}

TEST_F(PaletteDisplay, DrawsSomethingWhereThePictureGoes) {
  window_.Fill({0, 0, 0});
  const ScreenArea blank = window_.Read();
  Cimage picture;
  MakePicture(picture, MakeBgrImage(20, 10, [](int, int) { return Rgb{255, 255, 255}; }));
  picture.DisplayImage(dc_.get(), 10, 5);
  const ScreenArea drawn = window_.Read();
  ASSERT_FALSE(drawn.pixels.empty());
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= 10 && x < 30 && y >= 5 && y < 15;
      EXPECT_EQ(drawn.At(x, y) == blank.At(x, y), !inside) << x << "," << y;
    }
}

TEST_F(PaletteDisplay, CapturesPixelByPixel) {
  Cimage picture;
  MakePicture(picture, RainbowImage(kWidth, kHeight));
  picture.DisplayImage(dc_.get(), 0, 0);
  const ScreenArea screen = window_.Read();
  Cimage captured;
  captured.FromDC(dc_.get(), kWidth, kHeight);
  ASSERT_EQ(captured.m_loadError, 0);
  EXPECT_EQ(captured.m_valid, 1);
  EXPECT_EQ(captured.m_width, kWidth);
  EXPECT_EQ(captured.m_height, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(PixelAt(captured, x, y), screen.At(x, y)) << x << "," << y;
}

}  // namespace
