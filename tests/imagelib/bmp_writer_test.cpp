// BMP saving: header fields, bottom-up rows padded to four bytes, the 8-bit colour table, and
// failures that must not pass for success; the writer's grey output and its resolution fields.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "bmp_writer.h"
#include "cimage_test_access.h"
#include "palette_test_pictures.h"
#include "test_files.h"

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

std::vector<uint8_t> Written(const std::function<bool(FILE*)>& write) { return WrittenBytes(write, ".bmp"); }

std::vector<uint8_t> Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

// Grey output is 8 bits with a table of its own: the ramp of all 256 levels, whatever levels the
// picture uses; the levels themselves are the pixel bytes.
TEST(BmpWriter, GreyOutputGoldenBytes) {
  const std::vector<uint8_t> levels = {0, 128, 255,  // top row
                                       7, 8, 9};
  const ravelight::PictureRows rows{levels.data(), 3, 3, 2};
  ravelight::PixelDensity density;
  density.unit = ravelight::PixelDensity::kPerCentimetre;
  density.x = 28;
  density.y = 39;
  const std::vector<uint8_t> file = Written([&](FILE* f) { return ravelight::WriteBmpGrey(f, rows, density); });
  std::vector<uint8_t> want = {
      'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0,  // size 1086, reserved, bits at 1078
      40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0,           // size, width, height, planes, bit count
      0, 0, 0, 0, 0, 0, 0, 0,                                    // compression, image size
      0xF0, 0x0A, 0, 0, 0x3C, 0x0F, 0, 0,                        // 2800 and 3900 pixels per metre
      0, 1, 0, 0, 0, 0, 0, 0};                                   // 256 colours used, important 0
  for (int i = 0; i < 256; ++i) want.insert(want.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  want.insert(want.end(), {7, 8, 9, 0,       // bottom row first, padded to four bytes
                           0, 128, 255, 0});
  EXPECT_EQ(file, want);
}

TEST(BmpWriter, GreyOutputRowsArePaddedBottomRowFirst) {
  for (int width = 1; width <= 5; ++width) {
    std::vector<uint8_t> levels(size_t(width) * 3 + 2, 0xEE);  // a wider stride than the picture
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) levels[size_t(y) * (width + 1) + x] = uint8_t(40 * y + x);
    const ravelight::PictureRows rows{levels.data(), width + 1, width, 3};
    const std::vector<uint8_t> file = Written([&](FILE* f) { return ravelight::WriteBmpGrey(f, rows); });
    const size_t rowBytes = (size_t(width) + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 1078 + rowBytes * 3) << "width " << width;
    EXPECT_EQ(Little32(file, 2), file.size());
    EXPECT_EQ(Little32(file, 38), 0u);
    EXPECT_EQ(Little32(file, 42), 0u);
    for (int row = 0; row < 3; ++row) {
      const uint8_t* stored = &file[1078 + rowBytes * row];
      for (int x = 0; x < width; ++x) EXPECT_EQ(stored[x], 40 * (2 - row) + x) << "width " << width;
      for (size_t pad = size_t(width); pad < rowBytes; ++pad) EXPECT_EQ(stored[pad], 0) << "width " << width;
    }
  }
}

// A grey palette (as a quantizer of grey samples makes) is each value three times, then zeros.
TEST(BmpWriter, GreyPaletteIsEachValueThreeTimes) {
  const ravelight::ColourMap palette = GreyColourMap({0, 100, 255});
  const std::vector<uint8_t> indices = {0, 1, 2, 1};
  const std::vector<uint8_t> file =
      Written([&](FILE* f) { return ravelight::WriteBmp8(f, {indices.data(), 4, 4, 1}, palette); });
  ASSERT_EQ(file.size(), 1078u + 4);
  const std::vector<uint8_t> table(file.begin() + 54, file.begin() + 54 + 16);
  EXPECT_EQ(table, (std::vector<uint8_t>{0, 0, 0, 0, 100, 100, 100, 0, 255, 255, 255, 0, 0, 0, 0, 0}));
}

struct DensityCase {
  uint8_t unit;
  uint16_t x, y;
  uint32_t xPerMetre, yPerMetre;
};

class BmpResolution : public ::testing::TestWithParam<DensityCase> {};

// Only dots per centimetre become pixels per metre (× 100); dots per inch and a bare aspect ratio
// leave the fields 0. The same for all three kinds of output.
TEST_P(BmpResolution, FieldsComeFromADensityInDotsPerCentimetre) {
  const DensityCase& c = GetParam();
  ravelight::PixelDensity density;
  density.unit = c.unit;
  density.x = c.x;
  density.y = c.y;
  const std::vector<uint8_t> samples(12, 50);
  ravelight::ColourMap palette;
  palette.count = 1;
  const std::vector<std::vector<uint8_t>> files = {
      Written([&](FILE* f) { return ravelight::WriteBmp24(f, {samples.data(), 6, 2, 2}, density); }),
      Written([&](FILE* f) { return ravelight::WriteBmp8(f, {samples.data(), 2, 2, 2}, palette, density); }),
      Written([&](FILE* f) { return ravelight::WriteBmpGrey(f, {samples.data(), 2, 2, 2}, density); })};
  std::vector<uint8_t> want = Le32(c.xPerMetre);
  for (uint8_t b : Le32(c.yPerMetre)) want.push_back(b);
  for (const std::vector<uint8_t>& file : files) {
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 38, file.begin() + 46), want) << "bit count " << int(file[28]);
  }
}

INSTANTIATE_TEST_SUITE_P(Units, BmpResolution,
                         ::testing::Values(DensityCase{0, 1, 1, 0, 0}, DensityCase{0, 72, 72, 0, 0},
                                           DensityCase{1, 300, 300, 0, 0}, DensityCase{2, 28, 59, 2800, 5900},
                                           DensityCase{2, 1, 0, 100, 0}, DensityCase{2, 65535, 118, 6553500, 11800},
                                           DensityCase{3, 28, 28, 0, 0}),
                         [](const ::testing::TestParamInfo<DensityCase>& info) {
                           return "Unit" + std::to_string(info.param.unit) + "_" + std::to_string(info.param.x) + "x" +
                                  std::to_string(info.param.y);
                         });

TEST(BmpWriter, GreyOutputFailsOnAFailedWrite) {
  const std::string path = TempPath("grey-read-only.bmp");
  WriteBytes(path, {1, 2, 3});
  FILE* stream = std::fopen(path.c_str(), "rb");
  ASSERT_NE(stream, nullptr);
  const std::vector<uint8_t> levels(64 * 64, 9);
  EXPECT_FALSE(ravelight::WriteBmpGrey(stream, {levels.data(), 64, 64, 64}));
  std::fclose(stream);
  EXPECT_FALSE(ravelight::WriteBmpGrey(nullptr, {levels.data(), 64, 64, 64}));
  EXPECT_TRUE(Written([&](FILE* f) { return ravelight::WriteBmpGrey(f, {levels.data(), 64, 0, 64}); }).empty());
}

}  // namespace
