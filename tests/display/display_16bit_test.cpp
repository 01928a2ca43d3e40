// Drawing on a 16-bit display (5-6-5), under Wine on an X display of that depth: the ordered
// dither reaches the screen from a display copy, once, and never the pixels that a save writes.
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "device_context.h"
#include "display_test_support.h"

namespace {

constexpr int kWidth = 64, kHeight = 48;

// Smooth ramps: the banding that the dither is there to hide.
BgrImage Ramps() {
  return MakeBgrImage(kWidth, kHeight, [](int x, int y) { return Rgb{uint8_t(4 * x), uint8_t(5 * y), uint8_t(130 + x - y)}; });
}

uint8_t Clamped(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// The picture with the offsets added as the display copy gets them.
BgrImage Dithered(const BgrImage& image) {
  return MakeBgrImage(image.width, image.height, [&](int x, int y) {
    const Rgb c = image.At(x, y);
    return Rgb{Clamped(c.red + Cimage::S_dither_matrix_blu[y % 16][x % 16]),
               Clamped(c.green + Cimage::S_dither_matrix_grn[y % 16][x % 16]),
               Clamped(c.blue + Cimage::S_dither_matrix_red[y % 16][x % 16])};
  });
}

// The display keeps 5 bits of red and blue and 6 of green.
bool Same565(Rgb a, Rgb b) { return a.red >> 3 == b.red >> 3 && a.green >> 2 == b.green >> 2 && a.blue >> 3 == b.blue >> 3; }

::testing::AssertionResult ShowsWithin565(const ScreenArea& screen, const BgrImage& expected) {
  if (screen.pixels.empty()) return ::testing::AssertionFailure() << "the screen could not be read";
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x)
      if (!Same565(screen.At(x, y), expected.At(x, y)))
        return ::testing::AssertionFailure() << "screen pixel " << x << "," << y << " is " << int(screen.At(x, y).red) << ","
                                             << int(screen.At(x, y).green) << "," << int(screen.At(x, y).blue);
  return ::testing::AssertionSuccess();
}

class HighColourDisplay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ScreenDepth(), 16) << "these tests need a 16-bit display"; }
  void SetUp() override { ASSERT_EQ(Initialize_Palette(), 1); }
  void TearDown() override { Cimage::S_file_dither16 = 1; }

  TestWindow window_{kWidth, kHeight};
  ClientDC dc_{window_.Handle()};
};

TEST_F(HighColourDisplay, DithersWithTheSmallOffsets) {
  EXPECT_EQ(Cimage::S_16bit_color, 1);
  EXPECT_EQ(Cimage::S_use_palette, 0);
  for (int n = 0; n < 256; ++n) {
    ASSERT_GE(Cimage::S_dither_matrix_red[n / 16][n % 16], -4);
    ASSERT_LE(Cimage::S_dither_matrix_red[n / 16][n % 16], 3);
  }
  EXPECT_EQ(Cimage::S_dither_matrix_red[0][1], 2);
  EXPECT_EQ(Cimage::S_dither_matrix_grn[5][5], -4);
  EXPECT_EQ(Cimage::S_dither_matrix_blu[10][11], -4);
}

TEST_F(HighColourDisplay, ShowsTheDitheredCopyAndKeepsThePixelsExact) {
  const BgrImage image = Ramps();
  Cimage picture;
  MakePicture(picture, image);
  const std::vector<uint8_t> before = PixelBytes(picture);
  picture.DisplayImage(dc_.get(), 0, 0);
  const ScreenArea screen = window_.Read();
  EXPECT_TRUE(ShowsWithin565(screen, Dithered(image)));
  int changedByDither = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) changedByDither += !Same565(screen.At(x, y), image.At(x, y));
  EXPECT_GT(changedByDither, kWidth * kHeight / 4) << "the dither shows on the screen";
  EXPECT_EQ(PixelBytes(picture), before);
  EXPECT_EQ(picture.m_displayDithered, 1);
  EXPECT_NE(picture.m_dispBits, nullptr);
}

TEST_F(HighColourDisplay, DithersOnceAndAgainAfterThePixelsChange) {
  Cimage picture;
  MakePicture(picture, Ramps());
  EXPECT_TRUE(KeepsItsCopyUntilThePixelsChange(picture, dc_.get(), 0, 0, 100));
  EXPECT_EQ(picture.m_displayDithered, 1);
  const BgrImage flat = MakeBgrImage(kWidth, kHeight, [](int, int) { return Rgb{100, 100, 100}; });
  EXPECT_TRUE(ShowsWithin565(window_.Read(), Dithered(flat)));
}

TEST_F(HighColourDisplay, ASaveAfterShowingWritesTheExactPixels) {
  Cimage picture;
  MakePicture(picture, Ramps());
  const auto saveBmp = [](Cimage& p, FILE* f) { CimageTestAccess::SaveBMP(p, f, 0, 0); };
  const std::vector<uint8_t> before = SavedBytes(picture, saveBmp);
  picture.DisplayImage(dc_.get(), 0, 0);
  ASSERT_EQ(picture.m_displayDithered, 1);
  EXPECT_EQ(SavedBytes(picture, saveBmp), before);
}

TEST_F(HighColourDisplay, WithoutTheDitherThePixelsShowAsTheyAre) {
  Cimage::S_file_dither16 = 0;
  const BgrImage image = Ramps();
  Cimage picture;
  MakePicture(picture, image);
  picture.DisplayImage(dc_.get(), 0, 0);
  EXPECT_TRUE(ShowsWithin565(window_.Read(), image));
  EXPECT_EQ(picture.m_dispBits, nullptr);
}

TEST_F(HighColourDisplay, CapturesWhatTheScreenShows) {
  Cimage picture;
  MakePicture(picture, Ramps());
  picture.DisplayImage(dc_.get(), 0, 0);
  const ScreenArea screen = window_.Read();
  Cimage captured;
  captured.FromDC(dc_.get(), kWidth, kHeight);
  ASSERT_EQ(captured.m_loadError, 0);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(PixelAt(captured, x, y), screen.At(x, y)) << x << "," << y;
}

}  // namespace
