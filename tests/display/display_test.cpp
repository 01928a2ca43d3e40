// Drawing pictures on a true-colour display and capturing them back, under Wine on a 24-bit X
// display: exact colours at the place asked for, the palette and dither paths where they apply,
// stretched drawing, and captures of what was drawn.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "device_context.h"
#include "display_test_support.h"
#include "dither_matrix.h"

namespace {

constexpr Rgb kBackground = {18, 52, 86};
constexpr int kWidth = 160, kHeight = 120;

// Colours that no two neighbours share, so that a pixel out of place shows.
BgrImage TestImage(int width, int height) {
  return MakeBgrImage(width, height, [](int x, int y) {
    return Rgb{uint8_t(x * 37 + y * 11), uint8_t(x * 5 + y * 71 + 3), uint8_t(255 - x * 3 - y * 13)};
  });
}

class TrueColourDisplay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_GE(ScreenDepth(), 24) << "these tests need a true-colour display"; }
  void SetUp() override {
    ASSERT_EQ(Initialize_Palette(), 1);
    window_.Fill(kBackground);
  }
  void TearDown() override {
    Cimage::S_use_palette = 0;
    Cimage::S_16bit_color = 0;
    Cimage::S_file_dither16 = 1;
  }

  TestWindow window_{kWidth, kHeight};
  ClientDC dc_{window_.Handle()};
};

TEST_F(TrueColourDisplay, NeedsNeitherPaletteNorDither) {
  EXPECT_EQ(Cimage::S_16bit_color, 0);
  EXPECT_EQ(Cimage::S_use_palette, 0);
  EXPECT_EQ(Cimage::S_dither_matrix_red[0][1], 10);  // the offsets of displays that are not 15/16-bit
  EXPECT_TRUE(IsTheDisplayPalette(Cimage::S_hpal));
}

TEST_F(TrueColourDisplay, DrawsExactColoursWhereAsked) {
  const BgrImage image = TestImage(61, 47);
  Cimage picture;
  MakePicture(picture, image);
  const std::vector<uint8_t> before = PixelBytes(picture);
  picture.DisplayImage(dc_.get(), 30, 20);
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), image, 30, 20, kBackground));
  window_.Fill(kBackground);
  CDC cdc(dc_.get());
  picture.DisplayImage(&cdc, 119, 93);  // partly beyond the window's edge
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), image, 119, 93, kBackground));
  EXPECT_EQ(PixelBytes(picture), before);
  EXPECT_EQ(picture.m_dispBits, nullptr);
}

TEST_F(TrueColourDisplay, UnusablePicturesDrawNothing) {
  const BgrImage nothing = MakeBgrImage(0, 0, nullptr);
  for (int kind = 0; kind < 3; ++kind) {
    Cimage picture;
    if (kind != 2) MakePicture(picture, TestImage(20, 10));
    if (kind == 0) picture.m_loadError = 1;
    if (kind == 1) picture.m_valid = 0;
    picture.DisplayImage(dc_.get(), 0, 0);
    picture.DisplayImage(static_cast<HDC>(nullptr), 0, 0);
    picture.DisplayImage(static_cast<CDC*>(nullptr), 0, 0);
    CDC cdc(dc_.get());
    picture.PrintImage(&cdc, 0, 0, 40, 20);
    EXPECT_TRUE(ShowsPictureAt(window_.Read(), nothing, 0, 0, kBackground)) << "kind " << kind;
  }
}

// On a true-colour display the dithered copy shows exactly as it is made.
TEST_F(TrueColourDisplay, A16BitDisplayWouldBeShownTheDitheredCopy) {
  ravelight::FillDitherOffsets(true);
  Cimage::S_16bit_color = 1;
  const BgrImage image = TestImage(40, 35);
  Cimage picture;
  MakePicture(picture, image);
  const std::vector<uint8_t> before = PixelBytes(picture);
  picture.DisplayImage(dc_.get(), 0, 0);
  ASSERT_EQ(picture.m_displayDithered, 1);
  ASSERT_NE(picture.m_dispBits, nullptr);
  const BgrImage dithered = MakeBgrImage(40, 35, [&](int x, int y) {
    const uint8_t* p = picture.m_dispBits + size_t(y) * picture.m_stride + 3 * x;
    return Rgb{p[2], p[1], p[0]};
  });
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), dithered, 0, 0, kBackground));
  EXPECT_EQ(PixelBytes(picture), before);
  EXPECT_NE(std::memcmp(picture.m_dispBits, before.data(), before.size()), 0);

  Cimage::S_file_dither16 = 0;  // the user turned the dither off: the pixels as they are
  picture.DisplayImage(dc_.get(), 0, 0);
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), image, 0, 0, kBackground));
}

// On a true-colour display the colours of the 8-bit copy's table show exactly, so a picture
// made of cube colours comes out unchanged.
TEST_F(TrueColourDisplay, ThePalettePathDrawsTheCubeColoursOfItsCopy) {
  Cimage::S_use_palette = 1;
  const BgrImage image = MakeBgrImage(23, 17, [](int x, int y) {
    return Rgb{uint8_t(51 * (x % 6)), uint8_t(51 * (y % 6)), uint8_t(51 * ((x + y) % 6))};
  });
  Cimage picture;
  MakePicture(picture, image);
  picture.DisplayImage(dc_.get(), 5, 7);
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), image, 5, 7, kBackground));
  EXPECT_EQ(picture.m_displayDithered, 0);

  EXPECT_TRUE(KeepsItsCopyUntilThePixelsChange(picture, dc_.get(), 5, 7, 51));
  const BgrImage grey = MakeBgrImage(23, 17, [](int, int) { return Rgb{51, 51, 51}; });
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), grey, 5, 7, kBackground));
}

TEST_F(TrueColourDisplay, StretchedDrawingLeavesThePictureAsItWas) {
  const BgrImage image = TestImage(9, 7);
  Cimage picture;
  MakePicture(picture, image);
  picture.DisplayImage(dc_.get(), 0, 0);  // gives the picture its header
  ASSERT_NE(picture.m_bmi, nullptr);
  const std::vector<uint8_t> before = PixelBytes(picture);
  const BITMAPINFOHEADER header = picture.m_bmi->bmiHeader;

  window_.Fill(kBackground);
  CDC cdc(dc_.get());
  picture.PrintImage(&cdc, 4, 6, 27, 14);  // three times as wide, twice as high
  const BgrImage stretched = MakeBgrImage(27, 14, [&](int x, int y) { return image.At(x / 3, y / 2); });
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), stretched, 4, 6, kBackground));
  EXPECT_EQ(PixelBytes(picture), before);
  EXPECT_EQ(std::memcmp(&header, &picture.m_bmi->bmiHeader, sizeof header), 0);

  window_.Fill(kBackground);
  picture.DisplayImage(dc_.get(), 0, 0);
  EXPECT_TRUE(ShowsPictureAt(window_.Read(), image, 0, 0, kBackground)) << "upright after printing";
}

TEST_F(TrueColourDisplay, ChoosesThePicturesOwnColoursForAPalettePrinter) {
  const std::vector<Rgb> colours = {{200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {250, 250, 0}, {7, 7, 7}};
  Cimage picture;
  MakePicture(picture, RandomImage(30, 20, colours));
  GdiObject<HPALETTE> palette(CimageTestAccess::ChoosePalette(picture));
  ASSERT_NE(palette.get(), nullptr);
  PALETTEENTRY entries[256] = {};
  ASSERT_EQ(::GetPaletteEntries(palette.get(), 0, 256, entries), 256u);
  for (const Rgb& c : colours) {
    bool found = false;
    for (const PALETTEENTRY& e : entries) found |= Rgb({e.peRed, e.peGreen, e.peBlue}) == c;
    EXPECT_TRUE(found) << int(c.red) << "," << int(c.green) << "," << int(c.blue);
  }
  for (const PALETTEENTRY& e : entries) EXPECT_EQ(e.peFlags, PC_NOCOLLAPSE);

  picture.m_loadError = 1;
  EXPECT_EQ(CimageTestAccess::ChoosePalette(picture), nullptr);
}

// What was drawn comes back: through a memory bitmap, and pixel by pixel (the form taking a
// CDC, and any capture on a palette display).
TEST_F(TrueColourDisplay, CapturesWhatWasDrawn) {
  const BgrImage image = TestImage(45, 33);
  Cimage shown;
  MakePicture(shown, image);
  shown.DisplayImage(dc_.get(), 0, 0);
  CDC cdc(dc_.get());
  for (int way = 0; way < 3; ++way) {
    Cimage captured;
    MakePicture(captured, TestImage(5, 5));  // replaced by the capture
    Cimage::S_use_palette = way == 2;
    if (way == 1) {
      captured.FromDC(&cdc, 40, 30);
    } else {
      captured.FromDC(dc_.get(), 40, 30);
    }
    ASSERT_EQ(captured.m_loadError, 0) << "way " << way;
    EXPECT_EQ(captured.m_valid, 1);
    EXPECT_EQ(captured.m_width, 40);
    EXPECT_EQ(captured.m_height, 30);
    EXPECT_EQ(captured.m_origWidth, 40);
    EXPECT_EQ(captured.m_origHeight, 30);
    EXPECT_EQ(captured.m_components, 3);
    EXPECT_EQ(captured.m_scaleNum, 1);
    EXPECT_EQ(captured.m_scaleDen, 1);
    ASSERT_NE(captured.m_bmi, nullptr);
    EXPECT_EQ(captured.m_bmi->bmiHeader.biHeight, -30);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(PixelAt(captured, x, y), image.At(x, y)) << "way " << way << " at " << x << "," << y;
  }
}

TEST_F(TrueColourDisplay, ACaptureOfNoPictureFailsCleanly) {
  CDC cdc(dc_.get());
  struct Size {
    int width, height;
  };
  const Size sizes[] = {{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {30001, 10}, {10, 30001}, {20000, 20000}};
  for (const Size& s : sizes)
    for (int way = 0; way < 2; ++way) {
      Cimage captured;
      MakePicture(captured, TestImage(5, 5));
      if (way == 0) captured.FromDC(dc_.get(), s.width, s.height);
      if (way == 1) captured.FromDC(&cdc, s.width, s.height);
      EXPECT_EQ(captured.m_loadError, 1) << s.width << " x " << s.height;
      EXPECT_EQ(captured.m_valid, 1);
      EXPECT_EQ(captured.m_pixels, nullptr);
    }
  Cimage fromNothing;
  fromNothing.FromDC(static_cast<HDC>(nullptr), 10, 10);
  EXPECT_EQ(fromNothing.m_loadError, 1);
  fromNothing.FromDC(static_cast<CDC*>(nullptr), 10, 10);
  EXPECT_EQ(fromNothing.m_loadError, 1);
}

}  // namespace
