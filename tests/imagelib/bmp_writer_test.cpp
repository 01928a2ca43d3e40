// BMP saving: header fields, bottom-up rows padded to four bytes, the 8-bit colour table, and
// failures that must not pass for success.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "palette_test_pictures.h"

namespace {

uint32_t Little32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

std::vector<uint8_t> SaveBmp(Cimage& picture, int colormap, int dither = 0) {
  return SavedBytes(picture, [&](Cimage& p, FILE* f) { CimageTestAccess::SaveBMP(p, f, colormap, dither); });
}

TEST(BmpWriter, HeaderOfAOnePixelWidePictureGoldenBytes) {
  Cimage picture;
  MakePicture(picture, MakeBgrImage(1, 2, [](int, int y) { return y ? Rgb{1, 2, 3} : Rgb{4, 5, 6}; }));
  const std::vector<uint8_t> file = SaveBmp(picture, 0);
  const std::vector<uint8_t> want = {
      'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,           // file header: size, reserved, bits offset
      40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,         // size, width, height, planes, bit count
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // compression, image size, resolutions
      0, 0, 0, 0, 0, 0, 0, 0,                                   // colours used, important
      3, 2, 1, 0,                                               // bottom row: blue, green, red, pad
      6, 5, 4, 0};                                              // top row
  EXPECT_EQ(file, want);
  EXPECT_EQ(picture.m_saveError, 0);
}

class BmpWidths : public ::testing::TestWithParam<int> {};

// Rows hold width × 3 bytes raised to a multiple of four; the pads are zero even where the
// picture's own row padding holds other bytes.
TEST_P(BmpWidths, RowsArePaddedToFourBytesBottomRowFirst) {
  const int width = GetParam(), height = 3;
  Cimage picture;
  MakePicture(picture, MakeBgrImage(width, height, [](int x, int y) {
    return Rgb{uint8_t(10 * x + y), uint8_t(100 + x), uint8_t(200 + y)};
  }));
  for (int y = 0; y < height; ++y)
    std::memset(picture.m_pixels + size_t(y) * picture.m_stride + 3 * width, 0xAA, size_t(picture.m_stride - 3 * width));
  const std::vector<uint8_t> file = SaveBmp(picture, 0);
  const size_t rowBytes = (size_t(3 * width) + 3) / 4 * 4;
  ASSERT_EQ(file.size(), 54 + rowBytes * height);
  EXPECT_EQ(Little32(file, 2), file.size());
  EXPECT_EQ(Little32(file, 10), 54u);
  EXPECT_EQ(Little32(file, 18), uint32_t(width));
  EXPECT_EQ(Little32(file, 22), uint32_t(height));
  for (int row = 0; row < height; ++row) {
    const uint8_t* stored = &file[54 + rowBytes * row];
    const int y = height - 1 - row;
    for (int x = 0; x < width; ++x) {
      const Rgb want = PixelAt(picture, x, y);
      EXPECT_EQ(stored[3 * x], want.blue);
      EXPECT_EQ(stored[3 * x + 1], want.green);
      EXPECT_EQ(stored[3 * x + 2], want.red);
    }
    for (size_t pad = size_t(3 * width); pad < rowBytes; ++pad) EXPECT_EQ(stored[pad], 0) << "row " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(OneToFive, BmpWidths, ::testing::Values(1, 2, 3, 4, 5));

// 8 bits: 256 table entries of blue, green, red, 0 after the headers, so the bits start at 1078.
TEST(BmpWriter, PaletteFileHasAFullTableAndReproducesFewColours) {
  const std::vector<Rgb> colours = {{255, 0, 0}, {0, 128, 0}, {1, 2, 3}};
  Cimage picture;
  MakePicture(picture, RandomImage(5, 4, colours));
  const std::vector<uint8_t> file = SaveBmp(picture, 1);
  const size_t rowBytes = 8;
  ASSERT_EQ(file.size(), 1078 + rowBytes * 4);
  EXPECT_EQ(Little32(file, 2), file.size());
  EXPECT_EQ(Little32(file, 10), 1078u);
  EXPECT_EQ(file[28], 8);
  EXPECT_EQ(Little32(file, 46), 256u);
  EXPECT_EQ(Little32(file, 50), 0u);
  for (size_t entry = colours.size(); entry < 256; ++entry)
    EXPECT_EQ(Little32(file, 54 + 4 * entry), 0u) << "unused entry " << entry;
  for (int row = 0; row < 4; ++row) {
    const uint8_t* stored = &file[1078 + rowBytes * row];
    for (int x = 0; x < 5; ++x) {
      ASSERT_LT(stored[x], colours.size());
      const uint8_t* entry = &file[54 + 4 * stored[x]];
      EXPECT_EQ((Rgb{entry[2], entry[1], entry[0]}), PixelAt(picture, x, 3 - row));
      EXPECT_EQ(entry[3], 0);
    }
    for (size_t pad = 5; pad < rowBytes; ++pad) EXPECT_EQ(stored[pad], 0);
  }
}

TEST(BmpWriter, DitheredPaletteFileOfManyColoursIsComplete) {
  Cimage picture;
  MakePicture(picture, RainbowImage(33, 17));
  const std::vector<uint8_t> file = SaveBmp(picture, 1, 1);
  EXPECT_EQ(file.size(), 1078u + 36 * 17);
  EXPECT_EQ(picture.m_saveError, 0);
}

TEST(BmpWriter, FailedWritesSetTheSaveError) {
  Cimage picture;
  MakePicture(picture, RainbowImage(20, 10));
  for (int colormap : {0, 1})
    EXPECT_EQ(SaveErrorOnReadOnlyStream(picture, [&](Cimage& p, FILE* f) { CimageTestAccess::SaveBMP(p, f, colormap, 0); }), 1)
        << "colormap " << colormap;
}

TEST(BmpWriter, UnusablePictureWritesNothing) {
  for (int colormap : {0, 1})
    EXPECT_TRUE(UnusablePicturesWriteNothing([&](Cimage& p, FILE* f) { CimageTestAccess::SaveBMP(p, f, colormap, 0); }))
        << "colormap " << colormap;
}

}  // namespace
