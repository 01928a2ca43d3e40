// Thumbnail loads of PNG, TIFF, PCX and BMP files fit the picture into the box while reading it, so the
// full-size picture is never held. The result must be exactly the fit of the picture loaded as
// before: the whole PNG, PCX or BMP, or the TIFF codec's half-size picture, resampled into the box.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "dib_bytes.h"
#include "pixel_test_pictures.h"
#include "png_test_files.h"
#include "test_files.h"
#include "tiff_test_files.h"

namespace {

constexpr int kWidth = 1999, kHeight = 1333;

uint8_t Sample(int x, int y, int c) { return uint8_t(c == 0 ? x * 5 + y : c == 1 ? x ^ y : (x * y) >> 4); }

std::vector<uint8_t> Png(int channels) {
  std::vector<uint8_t> samples;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int c = 0; c < channels; ++c) samples.push_back(Sample(x, y, c));
  return EncodeReferencePng(kWidth, kHeight, channels, samples);
}

std::vector<uint8_t> Png16GreyAlpha() {
  std::vector<uint16_t> samples;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) samples.insert(samples.end(), {uint16_t(x * 33 + y * 7), 0xFFFF});
  return EncodeReferencePng16(kWidth, kHeight, 2, samples);
}

std::vector<uint8_t> LzwTiff() {
  Cimage picture;
  MakeMarkedPicture(picture, kWidth, kHeight, [](int x, int y) { return RgbOf(Sample(x, y, 0), Sample(x, y, 1), Sample(x, y, 2)); });
  const std::string path = TempPath("source.tif");
  const int setting = Cimage::S_tifcompression;
  Cimage::S_tifcompression = 1;
  CimageTestAccess::SaveTIF(picture, path.c_str());
  Cimage::S_tifcompression = setting;
  return ReadBytes(path);
}

// Three planes of 8-bit colour, each row's planes in runs of equal bytes (at most 63).
std::vector<uint8_t> TrueColourPcx() {
  std::vector<uint8_t> file(128, 0);
  const uint8_t fields[] = {10, 5, 1, 8, 0, 0, 0, 0, uint8_t((kWidth - 1) & 0xFF), uint8_t((kWidth - 1) >> 8),
                            uint8_t((kHeight - 1) & 0xFF), uint8_t((kHeight - 1) >> 8)};
  std::copy(std::begin(fields), std::end(fields), file.begin());
  file[65] = 3;
  file[66] = uint8_t(kWidth & 0xFF);
  file[67] = uint8_t(kWidth >> 8);
  for (int y = 0; y < kHeight; ++y)
    for (int c = 0; c < 3; ++c)
      for (int x = 0; x < kWidth;) {
        const uint8_t value = Sample(x / 3, y, c);  // runs of three, so that both codes occur
        int n = 1;
        while (x + n < kWidth && n < 63 && Sample((x + n) / 3, y, c) == value) ++n;
        if (n > 1 || value >= 0xC0) file.push_back(uint8_t(0xC0 | n));
        file.push_back(value);
        x += n;
      }
  return file;
}

// Uncompressed BMP rows of every depth, stored bottom-up or top-down; 16-bit pixels as 5-6-5 bit
// fields.
std::vector<uint8_t> Bmp(int bitCount, bool topDown) {
  DibSpec d;
  d.width = kWidth;
  d.height = topDown ? -kHeight : kHeight;
  d.bitCount = bitCount;
  if (bitCount <= 8)
    for (uint32_t i = 0; i < (1u << bitCount); ++i) d.palette.push_back((i * 7 & 0xFF) << 16 | (255 - i) << 8 | (i * i & 0xFF));
  if (bitCount == 16) {
    d.compression = 3;
    d.masks = {0xF800, 0x07E0, 0x001F};
  }
  const size_t rowBytes = (size_t(kWidth) * bitCount + 31) / 32 * 4;
  d.bits.assign(rowBytes * kHeight, 0);
  for (int stored = 0; stored < kHeight; ++stored) {
    const int y = topDown ? stored : kHeight - 1 - stored;
    uint8_t* row = d.bits.data() + stored * rowBytes;
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t r = Sample(x, y, 0), g = Sample(x, y, 1), b = Sample(x, y, 2);
      switch (bitCount) {
        case 1:
        case 4: row[x * bitCount / 8] |= uint8_t((r >> (8 - bitCount)) << (8 - bitCount - x * bitCount % 8)); break;
        case 8: row[x] = r; break;
        case 16: {
          const uint16_t pixel = uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
          row[2 * x] = uint8_t(pixel);
          row[2 * x + 1] = uint8_t(pixel >> 8);
          break;
        }
        default:
          row[x * bitCount / 8] = b;
          row[x * bitCount / 8 + 1] = g;
          row[x * bitCount / 8 + 2] = r;
      }
    }
  }
  return BmpFile(d);
}

struct Source {
  const char* name;
  const char* extension;
  std::vector<uint8_t> (*make)();
};

const Source kSources[] = {
    {"pngColour", ".png", [] { return Png(3); }},
    {"pngGrey", ".png", [] { return Png(1); }},
    {"pngColourAlpha", ".png", [] { return Png(4); }},
    {"png16GreyAlpha", ".png", Png16GreyAlpha},
    {"tiffLzw", ".tif", LzwTiff},
    {"pcxTrueColour", ".pcx", TrueColourPcx},
    {"bmp24BottomUp", ".bmp", [] { return Bmp(24, false); }},
    {"bmp32TopDown", ".bmp", [] { return Bmp(32, true); }},
    {"bmp16BitFields", ".bmp", [] { return Bmp(16, false); }},
    {"bmp8TopDown", ".bmp", [] { return Bmp(8, true); }},
    {"bmp4BottomUp", ".bmp", [] { return Bmp(4, false); }},
    {"bmp1TopDown", ".bmp", [] { return Bmp(1, true); }},
};

class StreamedThumbnail : public testing::TestWithParam<Source> {};

TEST_P(StreamedThumbnail, IsTheFitOfThePictureLoadedWhole) {
  const std::string path = TempPath(std::string(GetParam().name) + GetParam().extension);
  WriteBytes(path, GetParam().make());
  const bool tiff = std::string(GetParam().extension) == ".tif";
  for (const auto& box : {std::pair<int, int>{180, 180}, {200, 100}, {1000, 1000}}) {
    SCOPED_TRACE(::testing::Message() << box.first << "x" << box.second);
    Cimage expected;
    if (tiff) {
      LoadTiffFile(expected, path, box.first, box.second, 2);  // the codec's half size
    } else {
      expected.LoadImageA(path.c_str(), 0, 0, 5);
    }
    ASSERT_FALSE(expected.m_loadError);
    expected.ReSample(box.first, box.second, 2);

    Cimage streamed;
    streamed.LoadImageA(path.c_str(), box.first, box.second, 1);
    ASSERT_FALSE(streamed.m_loadError);
    ASSERT_EQ(streamed.m_width, expected.m_width);
    ASSERT_EQ(streamed.m_height, expected.m_height);
    EXPECT_EQ(streamed.m_origWidth, kWidth);
    EXPECT_DOUBLE_EQ(double(streamed.m_scaleNum) / streamed.m_scaleDen, double(expected.m_scaleNum) / expected.m_scaleDen);
    for (int y = 0; y < expected.m_height; ++y)
      ASSERT_EQ(0, std::memcmp(streamed.m_pixels + size_t(y) * streamed.m_stride,
                               expected.m_pixels + size_t(y) * expected.m_stride, 3 * size_t(expected.m_width)))
          << "row " << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, StreamedThumbnail, testing::ValuesIn(kSources),
                         [](const testing::TestParamInfo<Source>& info) { return std::string(info.param.name); });

// Pictures beyond the size a picture may have in memory (2^28 pixels) still make thumbnails,
// since they are never held whole; loaded at full size they are refused as before. Bilevel, so
// that the files stay small: a PNG of zero rows, and a TIFF of PackBits runs.
constexpr int kHugeWidth = 17000, kHugeHeight = 16000;

std::vector<uint8_t> HugeBilevelPng() {
  std::vector<uint8_t> header = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    header[3 - i] = uint8_t(kHugeWidth >> (8 * i));
    header[7 - i] = uint8_t(kHugeHeight >> (8 * i));
  }
  const size_t rowBytes = 1 + (kHugeWidth + 7) / 8;
  std::vector<uint8_t> raw(rowBytes * kHugeHeight, 0);
  std::vector<uint8_t> packed(compressBound(uLong(raw.size())));
  uLongf packedSize = uLongf(packed.size());
  compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
  packed.resize(packedSize);
  return AssemblePng({{"IHDR", header}, {"IDAT", packed}, {"IEND", {}}});
}

// In strips of 64 rows, as writers make them.
std::vector<uint8_t> HugeBilevelTiff() {
  constexpr uint32_t kRowsPerStrip = 64;
  std::vector<uint8_t> runs;
  std::vector<uint32_t> offsets, counts;
  for (int y = 0; y < kHugeHeight; ++y) {
    if (y % kRowsPerStrip == 0) {
      offsets.push_back(uint32_t(kTiffDataOffset + runs.size()));
      if (y) counts.push_back(offsets.back() - offsets[offsets.size() - 2]);
    }
    for (int left = (kHugeWidth + 7) / 8; left > 0; left -= 128) {
      const int n = std::min(left, 128);
      runs.insert(runs.end(), {uint8_t(n == 1 ? 0 : 257 - n), 0});
    }
  }
  counts.push_back(uint32_t(kTiffDataOffset + runs.size()) - offsets.back());
  return BuildTiff({{256, kTiffLong, {kHugeWidth}, ""}, {257, kTiffLong, {kHugeHeight}, ""},
                    {259, kTiffShort, {32773}, ""}, {262, kTiffShort, {1}, ""}, {273, kTiffLong, offsets, ""},
                    {278, kTiffLong, {kRowsPerStrip}, ""}, {279, kTiffLong, counts, ""}},
                   runs);
}

TEST(StreamedThumbnail, PicturesTooLargeToHoldStillMakeThumbnails) {
  for (const Source& source : {Source{"hugePng", ".png", HugeBilevelPng}, Source{"hugeTiff", ".tif", HugeBilevelTiff}}) {
    SCOPED_TRACE(source.name);
    const std::string path = TempPath(std::string(source.name) + source.extension);
    WriteBytes(path, source.make());
    Cimage thumbnail;
    thumbnail.LoadImageA(path.c_str(), 180, 180, 1);
    ASSERT_FALSE(thumbnail.m_loadError);
    EXPECT_EQ(thumbnail.m_width, 180);
    EXPECT_EQ(thumbnail.m_origWidth, kHugeWidth);
    EXPECT_EQ(thumbnail.m_pixels[0], 0);  // black
    Cimage whole;
    whole.LoadImageA(path.c_str(), 0, 0, 5);
    EXPECT_EQ(whole.m_loadError, 1);
  }
}

// A file that ends early fails as a thumbnail too, rather than showing half a picture.
TEST(StreamedThumbnail, TruncatedFilesFail) {
  for (const Source& source : {kSources[0], kSources[4], kSources[5], kSources[6], kSources[9]}) {
    std::vector<uint8_t> file = source.make();
    file.resize(file.size() / 2);
    const std::string path = TempPath(std::string("truncated") + source.extension);
    WriteBytes(path, file);
    Cimage picture;
    picture.LoadImageA(path.c_str(), 180, 180, 1);
    EXPECT_EQ(picture.m_loadError, 1) << source.name;
  }
}

}  // namespace
