// PNG saving: RGB and palette files read back by libpng itself, the stored form of the rows
// (unfiltered, maximum compression), and failures.
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "palette_test_pictures.h"

namespace {

std::vector<uint8_t> SavePng(Cimage& picture, int colormap, int dither = 0) {
  return SavedBytes(picture, [&](Cimage& p, FILE* f) { CimageTestAccess::SavePNG(p, f, colormap, dither); });
}

// The file as libpng reads it without transformations: palette indices or red, green, blue.
struct DecodedPng {
  bool ok = false;
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  std::vector<png_color> palette;
  std::vector<uint8_t> samples;  // rows without padding
};

struct MemoryReader {
  const std::vector<uint8_t>& file;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep to, png_size_t size) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->at + size > reader->file.size()) png_error(png, "read past the end");
  std::memcpy(to, reader->file.data() + reader->at, size);
  reader->at += size;
}

void ReadRows(png_structp png, png_infop info, DecodedPng& out) {
  png_read_info(png, info);
  png_get_IHDR(png, info, &out.width, &out.height, &out.bitDepth, &out.colourType, &out.interlace, nullptr, nullptr);
  png_colorp palette = nullptr;
  int entries = 0;
  if (png_get_PLTE(png, info, &palette, &entries)) out.palette.assign(palette, palette + entries);
  const size_t rowBytes = png_get_rowbytes(png, info);
  out.samples.resize(rowBytes * out.height);
  std::vector<png_bytep> rows(out.height);
  for (png_uint_32 y = 0; y < out.height; ++y) rows[y] = &out.samples[rowBytes * y];
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  out.ok = true;
}

DecodedPng DecodePng(const std::vector<uint8_t>& file) {
  DecodedPng out;
  if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8)) return out;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{file, 0};
  png_set_read_fn(png, &reader, ReadFromMemory);
  if (setjmp(png_jmpbuf(png)) == 0) ReadRows(png, info, out);
  png_destroy_read_struct(&png, &info, nullptr);
  return out;
}

// The zlib stream of all IDAT chunks, joined.
std::vector<uint8_t> ImageData(const std::vector<uint8_t>& file) {
  std::vector<uint8_t> data;
  for (size_t at = 8; at + 12 <= file.size();) {
    const size_t length = size_t(file[at]) << 24 | size_t(file[at + 1]) << 16 | size_t(file[at + 2]) << 8 | file[at + 3];
    if (std::string(file.begin() + long(at) + 4, file.begin() + long(at) + 8) == "IDAT")
      data.insert(data.end(), file.begin() + long(at) + 8, file.begin() + long(at + 8 + length));
    at += 12 + length;
  }
  return data;
}

// Every row's filter byte is 0 (None), and the zlib header says the strongest compression.
void ExpectUnfilteredAndMaximallyCompressed(const std::vector<uint8_t>& file, size_t rowBytes, size_t height) {
  const std::vector<uint8_t> compressed = ImageData(file);
  ASSERT_GE(compressed.size(), 2u);
  EXPECT_EQ(compressed[0] & 0x0F, 8) << "deflate";  // libpng picks the window size to fit the picture
  EXPECT_EQ(compressed[1] >> 6, 3) << "compression level flag";
  std::vector<uint8_t> raw((rowBytes + 1) * height);
  uLongf rawSize = uLongf(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &rawSize, compressed.data(), uLong(compressed.size())), Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  for (size_t y = 0; y < height; ++y) EXPECT_EQ(raw[y * (rowBytes + 1)], 0) << "filter of row " << y;
}

BgrImage TexturedRainbow(int width, int height) {
  BgrImage image = RainbowImage(width, height);
  for (size_t i = 0; i < image.bytes.size(); ++i) image.bytes[i] ^= uint8_t(i * 13 % 37);
  return image;
}

TEST(PngSave, RgbFileRoundTripsExactly) {
  const BgrImage image = TexturedRainbow(37, 23);
  Cimage picture;
  MakePicture(picture, image);
  const std::vector<uint8_t> file = SavePng(picture, 0);
  const DecodedPng png = DecodePng(file);
  ASSERT_TRUE(png.ok);
  EXPECT_EQ(png.width, 37u);
  EXPECT_EQ(png.height, 23u);
  EXPECT_EQ(png.bitDepth, 8);
  EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
  EXPECT_TRUE(png.palette.empty());
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) {
      const uint8_t* s = &png.samples[(size_t(y) * 37 + x) * 3];
      ASSERT_EQ((Rgb{s[0], s[1], s[2]}), image.At(x, y)) << x << "," << y;
    }
  ExpectUnfilteredAndMaximallyCompressed(file, 37 * 3, 23);
  EXPECT_EQ(picture.m_saveError, 0);
}

TEST(PngSave, GreyPictureIsStillWrittenAsRgb) {
  Cimage picture;
  MakePicture(picture, MakeBgrImage(9, 4, [](int x, int y) { return Rgb{uint8_t(x * 20 + y), uint8_t(x * 20 + y), uint8_t(x * 20 + y)}; }));
  picture.m_components = 1;
  const DecodedPng png = DecodePng(SavePng(picture, 0));
  ASSERT_TRUE(png.ok);
  EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(png.samples[3 * 8], 160);
}

class PngPalette : public ::testing::TestWithParam<int> {};

// A picture of at most 256 colours keeps them all, dithered or not.
TEST_P(PngPalette, FewColoursRoundTripExactly) {
  const int dither = GetParam();
  const BgrImage image = RandomImage(40, 30, DistinctPalette(200));
  Cimage picture;
  MakePicture(picture, image);
  const std::vector<uint8_t> file = SavePng(picture, 1, dither);
  const DecodedPng png = DecodePng(file);
  ASSERT_TRUE(png.ok);
  EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.bitDepth, 8);
  EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
  ASSERT_EQ(png.palette.size(), 256u);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const png_color c = png.palette[png.samples[size_t(y) * 40 + x]];
      ASSERT_EQ((Rgb{c.red, c.green, c.blue}), image.At(x, y)) << x << "," << y;
    }
  for (size_t i = 200; i < 256; ++i) EXPECT_EQ(png.palette[i].red | png.palette[i].green | png.palette[i].blue, 0);
  ExpectUnfilteredAndMaximallyCompressed(file, 40, 30);
}

INSTANTIATE_TEST_SUITE_P(Dither, PngPalette, ::testing::Values(0, 1));

TEST(PngSave, ManyColoursGetA256EntryPalette) {
  Cimage picture;
  MakePicture(picture, TexturedRainbow(64, 48));
  for (int dither : {0, 1}) {
    const DecodedPng png = DecodePng(SavePng(picture, 1, dither));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(png.palette.size(), 256u);
  }
  EXPECT_EQ(picture.m_saveError, 0);
}

TEST(PngSave, FailedWritesSetTheSaveErrorSilently) {
  Cimage picture;
  MakePicture(picture, TexturedRainbow(64, 64));
  for (int colormap : {0, 1}) {
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    const int error = SaveErrorOnReadOnlyStream(picture, [&](Cimage& p, FILE* f) { CimageTestAccess::SavePNG(p, f, colormap, 0); });
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(error, 1) << "colormap " << colormap;
  }
}

TEST(PngSave, UnusablePictureWritesNothing) {
  for (int colormap : {0, 1})
    EXPECT_TRUE(UnusablePicturesWriteNothing([&](Cimage& p, FILE* f) { CimageTestAccess::SavePNG(p, f, colormap, 0); }))
        << "colormap " << colormap;
}

}  // namespace
