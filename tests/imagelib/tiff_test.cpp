// TIFF reading and saving: the tags and bytes of saved files read back without libtiff, round
// trips with every compression, CMYK through the library's ink model, the half-size read for
// thumbnails, and broken files refused without a sound.
#include <algorithm>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "codec_bytes.h"
#include "folder_walk.h"
#include "picture_limits.h"
#include "test_files.h"
#include "tiff_test_files.h"
#include "missing_files.h"

namespace {

enum Tag : uint16_t {
  kImageWidth = 256, kImageLength = 257, kBitsPerSample = 258, kCompression = 259,
  kPhotometric = 262, kFillOrder = 266, kDocumentName = 269, kStripOffsets = 273,
  kOrientation = 274, kSamplesPerPixel = 277, kRowsPerStrip = 278, kStripByteCounts = 279,
  kXResolution = 282, kYResolution = 283, kPlanarConfig = 284, kResolutionUnit = 296,
  kSoftware = 305, kTileWidth = 322, kTileLength = 323, kTileOffsets = 324,
  kTileByteCounts = 325, kInkSet = 332, kExtraSamples = 338,
};

TiffField Short(uint16_t tag, std::vector<uint32_t> values) { return {tag, kTiffShort, std::move(values), {}}; }
TiffField Long(uint16_t tag, std::vector<uint32_t> values) { return {tag, kTiffLong, std::move(values), {}}; }

// An uncompressed, contiguous, single-strip TIFF of the given samples; extra fields are added or
// replace the usual ones.
std::vector<uint8_t> StripTiff(uint32_t width, uint32_t height, uint16_t photometric, int samples,
                               const std::vector<uint8_t>& data, std::vector<TiffField> extra = {}) {
  std::vector<TiffField> fields = {
      Long(kImageWidth, {width}), Long(kImageLength, {height}),
      Short(kBitsPerSample, std::vector<uint32_t>(size_t(samples), 8)), Short(kCompression, {1}),
      Short(kPhotometric, {photometric}), Long(kStripOffsets, {kTiffDataOffset}),
      Short(kSamplesPerPixel, {uint32_t(samples)}), Long(kRowsPerStrip, {height}),
      Long(kStripByteCounts, {uint32_t(data.size())}), Short(kPlanarConfig, {1})};
  for (const TiffField& field : extra) {
    const auto same = std::find_if(fields.begin(), fields.end(), [&](const TiffField& f) { return f.tag == field.tag; });
    if (same != fields.end())
      *same = field;
    else
      fields.push_back(field);
  }
  return BuildTiff(fields, data);
}

struct Rgb {
  uint8_t r, g, b;
};

// A picture whose channels vary differently, so that mixed-up channels or rows show.
Rgb Sample(int x, int y) { return {uint8_t(x * 3 + y), uint8_t(x ^ (y * 5)), uint8_t(x * y + 17)}; }

std::vector<uint8_t> RgbSamples(int width, int height) {
  std::vector<uint8_t> data;
  data.reserve(size_t(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb s = Sample(x, y);
      data.insert(data.end(), {s.r, s.g, s.b});
    }
  return data;
}

std::vector<uint8_t> RgbTiff(int width, int height) {
  return StripTiff(uint32_t(width), uint32_t(height), 2, 3, RgbSamples(width, height));
}

const uint8_t* PixelAt(const Cimage& picture, int x, int y) {
  return picture.m_pixels + size_t(y) * picture.m_stride + 3 * size_t(x);
}

// The picture is width × height and each pixel is expected(x, y), as blue, green, red.
template <typename Expected>
::testing::AssertionResult HoldsPixels(const Cimage& picture, int width, int height, Expected expected) {
  if (picture.m_loadError || !picture.m_pixels || !picture.m_bmi) return ::testing::AssertionFailure() << "not decoded";
  if (picture.m_width != width || picture.m_height != height)
    return ::testing::AssertionFailure() << picture.m_width << "x" << picture.m_height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb want = expected(x, y);
      const uint8_t* p = PixelAt(picture, x, y);
      if (p[0] != want.b || p[1] != want.g || p[2] != want.r)
        return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult HoldsSamples(const Cimage& picture, int width, int height) {
  const ::testing::AssertionResult loaded = LoadedAs(picture, width, height);
  return loaded ? HoldsPixels(picture, width, height, Sample) : loaded;
}

void LoadQuietly(Cimage& picture, const std::string& path, int width = 0, int height = 0, int mode = 5) {
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  LoadTiffFile(picture, path, width, height, mode);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << path;
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << path;
}

void LoadBytesQuietly(Cimage& picture, const std::vector<uint8_t>& file) {
  const std::string path = TempPath("quiet.tif");
  WriteBytes(path, file);
  LoadQuietly(picture, path);
}

TEST(TiffReading, RgbFileLoadsTopRowFirstAsBlueGreenRed) {
  Cimage picture;
  LoadBytesQuietly(picture, RgbTiff(37, 23));
  EXPECT_TRUE(HoldsSamples(picture, 37, 23));
  EXPECT_EQ(picture.m_origWidth, 37);
  EXPECT_EQ(picture.m_origHeight, 23);
  EXPECT_EQ(picture.m_scaleDen, 1);
  EXPECT_EQ(picture.m_stride, ravelight::RowStride(37));
}

TEST(TiffReading, BottomUpFileStillLoadsTopRowFirst) {
  // Orientation 4: the first stored row is the bottom one.
  const std::vector<uint8_t> all = RgbSamples(37, 23);
  std::vector<uint8_t> data;
  for (int y = 22; y >= 0; --y) {
    data.insert(data.end(), all.begin() + y * 37 * 3, all.begin() + (y + 1) * 37 * 3);
  }
  Cimage picture;
  LoadBytesQuietly(picture, StripTiff(37, 23, 2, 3, data, {Short(kOrientation, {4})}));
  EXPECT_TRUE(HoldsSamples(picture, 37, 23));
}

// Round trips with each compression setting: 0 none, 1 LZW, anything else PackBits.
TEST(TiffSaving, WritesTheTagsAndReadsBackTheSamePixels) {
  const struct {
    int setting;
    uint32_t tag;
  } compressions[] = {{0, 1}, {1, 5}, {2, 32773}, {-3, 32773}, {7, 32773}};
  Cimage picture;
  LoadBytesQuietly(picture, RgbTiff(37, 23));
  ASSERT_TRUE(HoldsSamples(picture, 37, 23));
  for (const auto& c : compressions) {
    SCOPED_TRACE(::testing::Message() << "setting " << c.setting);
    const std::string path = TempPath("saved-" + std::to_string(c.setting) + ".tif");
    ::testing::internal::CaptureStderr();
    SaveTiffFile(picture, path, c.setting);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(picture.m_saveError);

    const std::vector<uint8_t> file = ReadBytes(path);
    std::map<uint16_t, TiffField> tags = ReadTiffDirectory(file);
    const std::pair<uint16_t, std::vector<uint32_t>> numbers[] = {
        {kImageWidth, {37}}, {kImageLength, {23}}, {kBitsPerSample, {8, 8, 8}}, {kCompression, {c.tag}},
        {kPhotometric, {2}}, {kFillOrder, {1}}, {kOrientation, {1}}, {kSamplesPerPixel, {3}},
        {kRowsPerStrip, {23}}, {kPlanarConfig, {1}}, {kResolutionUnit, {1}}};
    for (const auto& [tag, values] : numbers) EXPECT_EQ(tags[tag].values, values) << "tag " << tag;
    for (uint16_t tag : {kXResolution, kYResolution}) {
      EXPECT_EQ(tags[tag].type, kTiffRational) << "tag " << tag;
      ASSERT_EQ(tags[tag].values.size(), 2u) << "tag " << tag;
      EXPECT_GT(tags[tag].values[1], 0u);
    }
    EXPECT_EQ(tags[kXResolution].values, tags[kYResolution].values) << "pixels are square";
    EXPECT_EQ(tags[kDocumentName].text, path);
    EXPECT_EQ(tags[kSoftware].text, "None");
    EXPECT_EQ(tags[kStripOffsets].values.size(), 1u) << "one strip";

    Cimage again;
    LoadQuietly(again, path);
    EXPECT_TRUE(HoldsSamples(again, 37, 23));
  }
}

TEST(TiffSaving, UncompressedRowsAreRedGreenBlue) {
  Cimage picture;
  LoadBytesQuietly(picture, RgbTiff(5, 3));
  const std::string path = TempPath("rows.tif");
  SaveTiffFile(picture, path, 0);
  ASSERT_FALSE(picture.m_saveError);
  const std::vector<uint8_t> file = ReadBytes(path);
  std::map<uint16_t, TiffField> tags = ReadTiffDirectory(file);
  ASSERT_EQ(tags[kStripOffsets].values.size(), 1u);
  ASSERT_EQ(tags[kStripByteCounts].values, std::vector<uint32_t>{5 * 3 * 3});
  const size_t at = tags[kStripOffsets].values[0];
  ASSERT_LE(at + 45, file.size());
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + long(at), file.begin() + long(at + 45)), RgbSamples(5, 3));
}

TEST(TiffSaving, UnusablePictureSetsTheErrorAndWritesNothing) {
  Cimage empty;
  Cimage failed;
  LoadBytesQuietly(failed, {'I', 'I', 42, 0, 8, 0, 0, 0});
  ASSERT_TRUE(failed.m_loadError);
  for (Cimage* picture : {&empty, &failed}) {
    const std::string path = TempPath("unusable.tif");
    SaveTiffFile(*picture, path, 1);
    EXPECT_TRUE(picture->m_saveError);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a file was made";
  }
}

TEST(TiffSaving, UnwritablePathSetsTheErrorQuietly) {
  Cimage picture;
  LoadBytesQuietly(picture, RgbTiff(5, 3));
  ::testing::internal::CaptureStderr();
  SaveTiffFile(picture, TempPath("no-such-folder/picture.tif"), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(picture.m_saveError);
}

// CMYK goes through RGBfromCMYK with the inks inverted: TIFF stores ink amounts.
struct Cmyk {
  uint8_t c, m, y, k;
};
const Cmyk kInks[] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 255},
                      {0, 0, 0, 0},   {255, 255, 255, 255}, {40, 90, 160, 20}, {200, 10, 70, 128}};
constexpr int kInkCount = sizeof kInks / sizeof kInks[0];

Cmyk InkAt(int x, int y) { return kInks[(x + 3 * y) % kInkCount]; }

std::vector<uint8_t> CmykSamples(int width, int height, int samples, bool bottomUp) {
  std::vector<uint8_t> data;
  for (int row = 0; row < height; ++row) {
    const int y = bottomUp ? height - 1 - row : row;
    for (int x = 0; x < width; ++x) {
      const Cmyk ink = InkAt(x, y);
      data.insert(data.end(), {ink.c, ink.m, ink.y, ink.k});
      if (samples == 5) data.push_back(uint8_t(x));
    }
  }
  return data;
}

::testing::AssertionResult HoldsInks(const Cimage& picture, int width, int height) {
  const ::testing::AssertionResult loaded = LoadedAs(picture, width, height);
  if (!loaded) return loaded;
  return HoldsPixels(picture, width, height, [](int x, int y) {
    const Cmyk ink = InkAt(x, y);
    const unsigned rgb = RGBfromCMYK(uint8_t(255 - ink.c), uint8_t(255 - ink.m), uint8_t(255 - ink.y), uint8_t(255 - ink.k));
    return Rgb{uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)};
  });
}

TEST(TiffCmyk, PureCyanReachesTheInkModelInverted) {
  Cimage picture;
  LoadBytesQuietly(picture, StripTiff(1, 1, 5, 4, {255, 0, 0, 0}, {Short(kInkSet, {1})}));
  ASSERT_TRUE(LoadedAs(picture, 1, 1));
  const unsigned cyan = RGBfromCMYK(0, 255, 255, 255);
  EXPECT_EQ(picture.m_pixels[2], cyan & 0xFF);
  EXPECT_EQ(picture.m_pixels[1], cyan >> 8 & 0xFF);
  EXPECT_EQ(picture.m_pixels[0], cyan >> 16 & 0xFF);
  // Not libtiff's own plain subtraction, which makes cyan (0, 255, 255).
  EXPECT_NE(cyan & 0xFFFFFF, 0xFFFF00u);
}

// Four samples, or five with an extra one the routine must step over; rows stored top-down or
// bottom-up (the raster is then filled upwards, with a negative skew).
TEST(TiffCmyk, EveryPixelOfAStripGoesThroughTheInkModel) {
  const struct {
    int samples;
    bool bottomUp;
  } layouts[] = {{4, false}, {5, false}, {4, true}};
  for (const auto& layout : layouts) {
    SCOPED_TRACE(::testing::Message() << layout.samples << " samples" << (layout.bottomUp ? ", bottom-up" : ""));
    std::vector<TiffField> extra = {Short(kInkSet, {1}), Short(kOrientation, {layout.bottomUp ? 4u : 1u})};
    if (layout.samples == 5) extra.push_back(Short(kExtraSamples, {0}));
    Cimage picture;
    LoadBytesQuietly(picture, StripTiff(11, 6, 5, layout.samples, CmykSamples(11, 6, layout.samples, layout.bottomUp), extra));
    EXPECT_TRUE(HoldsInks(picture, 11, 6));
  }
}

// Tiles of 16 × 16 over a 20 × 18 picture: the right and bottom tiles are partly outside it, so
// the routine is called with a source skew.
TEST(TiffCmyk, PartialTilesAreSkewedLikeLibtiffsOwnRoutines) {
  constexpr int kWidth = 20, kHeight = 18, kTile = 16;
  std::vector<uint8_t> data;
  std::vector<uint32_t> offsets, counts;
  for (int ty = 0; ty < kHeight; ty += kTile)
    for (int tx = 0; tx < kWidth; tx += kTile) {
      offsets.push_back(uint32_t(kTiffDataOffset + data.size()));
      for (int y = ty; y < ty + kTile; ++y)
        for (int x = tx; x < tx + kTile; ++x) {
          const Cmyk ink = x < kWidth && y < kHeight ? InkAt(x, y) : Cmyk{1, 2, 3, 4};
          data.insert(data.end(), {ink.c, ink.m, ink.y, ink.k});
        }
      counts.push_back(kTile * kTile * 4);
    }
  const std::vector<TiffField> fields = {
      Long(kImageWidth, {kWidth}), Long(kImageLength, {kHeight}), Short(kBitsPerSample, {8, 8, 8, 8}),
      Short(kCompression, {1}), Short(kPhotometric, {5}), Short(kSamplesPerPixel, {4}),
      Short(kPlanarConfig, {1}), Long(kTileWidth, {kTile}), Long(kTileLength, {kTile}),
      Long(kTileOffsets, offsets), Long(kTileByteCounts, counts), Short(kInkSet, {1})};
  Cimage picture;
  LoadBytesQuietly(picture, BuildTiff(fields, data));
  EXPECT_TRUE(HoldsInks(picture, kWidth, kHeight));
}

// Separated images that are not plain CMYK inks are libtiff's business, and it refuses them.
TEST(TiffCmyk, OtherInkSetsAreRefused) {
  Cimage picture;
  LoadBytesQuietly(picture, StripTiff(1, 1, 5, 4, {255, 0, 0, 0}, {Short(kInkSet, {2})}));
  EXPECT_TRUE(FailedCleanly(picture));
}

// The truncated mean of each 2 × 2 block of the samples, an odd last row or column paired with itself.
::testing::AssertionResult HoldsHalfSize(const Cimage& picture, int fullWidth, int fullHeight) {
  return HoldsPixels(picture, (fullWidth + 1) / 2, (fullHeight + 1) / 2, [&](int x, int y) {
    const int x0 = 2 * x, y0 = 2 * y, x1 = std::min(x0 + 1, fullWidth - 1), y1 = std::min(y0 + 1, fullHeight - 1);
    const Rgb s[4] = {Sample(x0, y0), Sample(x1, y0), Sample(x0, y1), Sample(x1, y1)};
    return Rgb{uint8_t((s[0].r + s[1].r + s[2].r + s[3].r) / 4), uint8_t((s[0].g + s[1].g + s[2].g + s[3].g) / 4),
               uint8_t((s[0].b + s[1].b + s[2].b + s[3].b) / 4)};
  });
}

// (A thumbnail load, mode 1, goes on to fit the half-size rows into the box as they are read.)
TEST(TiffHalfSize, LargePictureForASmallBoxIsReadAtHalfSize) {
  const std::string path = TempPath("large.tif");
  WriteBytes(path, RgbTiff(2000, 2000));
  for (int mode : {2, 3, 4}) {
    Cimage picture;
    LoadQuietly(picture, path, 500, 500, mode);
    EXPECT_TRUE(HoldsHalfSize(picture, 2000, 2000)) << "mode " << mode;
    EXPECT_EQ(picture.m_scaleDen, 2);
    EXPECT_EQ(picture.m_scaleNum, 1);
    EXPECT_EQ(picture.m_origWidth, 2000);
    EXPECT_EQ(picture.m_origHeight, 2000);
  }
}

// Half size only when the picture is more than twice the box in some direction, and never at
// full size (mode 5).
TEST(TiffHalfSize, OnlyWhenMoreThanTwiceTheBox) {
  const std::string path = TempPath("medium.tif");
  WriteBytes(path, RgbTiff(40, 30));
  const struct {
    int boxWidth, boxHeight, mode;
    bool half;
  } cases[] = {{20, 15, 1, false}, {19, 15, 2, true}, {20, 14, 2, true}, {100, 100, 3, false},
               {1, 1, 4, true},    {1, 1, 5, false},  {0, 0, 5, false},  {1, 1, 0, false}};
  for (const auto& c : cases) {
    Cimage picture;
    LoadQuietly(picture, path, c.boxWidth, c.boxHeight, c.mode);
    SCOPED_TRACE(::testing::Message() << c.boxWidth << "x" << c.boxHeight << " mode " << c.mode);
    EXPECT_TRUE(c.half ? HoldsHalfSize(picture, 40, 30) : HoldsSamples(picture, 40, 30));
    EXPECT_EQ(picture.m_scaleDen, c.half ? 2 : 1);
  }
}

TEST(TiffHalfSize, OddLastRowAndColumnArePairedWithThemselves) {
  for (const auto& size : {std::pair<int, int>{7, 5}, {1, 9}, {9, 1}, {1, 1}}) {
    Cimage picture;
    const std::string path = TempPath("odd.tif");
    WriteBytes(path, RgbTiff(size.first, size.second));
    LoadQuietly(picture, path, 0, 0, 2);
    EXPECT_TRUE(HoldsHalfSize(picture, size.first, size.second)) << size.first << "x" << size.second;
  }
}

// Headers claiming pictures beyond the library's limits are refused from the header alone,
// before the raster would be allocated.
TEST(TiffBroken, HugeDimensionsAreRefusedBeforeAllocating) {
  const struct {
    uint32_t width, height;
  } claims[] = {{100000, 10}, {10, 100000}, {20000, 20000}, {0xFFFFFFFF, 0xFFFFFFFF}, {0, 5}, {5, 0}};
  for (const auto& claim : claims) {
    Cimage picture;
    LoadBytesQuietly(picture, StripTiff(claim.width, claim.height, 2, 3, RgbSamples(4, 4)));
    EXPECT_TRUE(FailedCleanly(picture)) << claim.width << "x" << claim.height;
  }
}

// A picture within the limits whose compressed strip claims an absurd number of samples a pixel:
// decoded, the strip would take terabytes, and libtiff is not allowed to ask for them.
TEST(TiffBroken, AbsurdSampleCountsAreRefused) {
  Cimage picture;
  LoadBytesQuietly(picture, StripTiff(30000, 8000, 2, 3, RgbSamples(4, 4),
                                      {Short(kSamplesPerPixel, {65535}), Short(kBitsPerSample, {8}),
                                       Short(kCompression, {5})}));
  EXPECT_TRUE(FailedCleanly(picture));
}

TEST(TiffBroken, MissingAndForeignFilesAreRefused) {
  Cimage picture;
  LoadQuietly(picture, TempPath("nothing-here.tif"));
  EXPECT_TRUE(FailedCleanly(picture));
  const std::vector<std::vector<uint8_t>> files = {
      {},
      {'I', 'I', 42},
      {'M', 'M', 0, 42, 0, 0, 0, 8},                       // directory beyond the end
      {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0},     // a directory without entries
      {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13},  // another format
  };
  for (const std::vector<uint8_t>& file : files) {
    Cimage other;
    LoadBytesQuietly(other, file);
    EXPECT_TRUE(FailedCleanly(other)) << file.size() << " bytes";
  }
}

// Every cut of a saved file: while image data is missing it is a load error; once the data is
// all there the file either fails or loads the whole picture.
TEST(TiffBroken, TruncatedFilesFailCleanly) {
  Cimage picture;
  LoadBytesQuietly(picture, RgbTiff(37, 23));
  for (int setting : {0, 1, 2}) {
    const std::string path = TempPath("whole.tif");
    SaveTiffFile(picture, path, setting);
    const std::vector<uint8_t> file = ReadBytes(path);
    std::map<uint16_t, TiffField> tags = ReadTiffDirectory(file);
    ASSERT_EQ(tags[kStripOffsets].values.size(), 1u);
    const size_t dataEnd = size_t(tags[kStripOffsets].values[0]) + tags[kStripByteCounts].values[0];
    for (size_t length = 0; length < file.size(); length += 1 + length / 32) {
      SCOPED_TRACE(::testing::Message() << "setting " << setting << ", cut at " << length);
      Cimage cut;
      LoadBytesQuietly(cut, std::vector<uint8_t>(file.begin(), file.begin() + long(length)));
      if (length < dataEnd) {
        EXPECT_TRUE(FailedCleanly(cut));
      } else if (!cut.m_loadError) {
        EXPECT_TRUE(HoldsSamples(cut, 37, 23));
      }
    }
  }
}

// Flipped bytes all over compressed files: whatever happens, it happens quietly and safely.
TEST(TiffBroken, CorruptFilesDecodeOrFailQuietly) {
  Cimage picture;
  LoadBytesQuietly(picture, RgbTiff(37, 23));
  for (int setting : {1, 2}) {
    const std::string path = TempPath("whole.tif");
    SaveTiffFile(picture, path, setting);
    const std::vector<uint8_t> file = ReadBytes(path);
    for (size_t at = 0; at < file.size(); at += 7) {
      std::vector<uint8_t> corrupt = file;
      corrupt[at] ^= uint8_t(0x5A + at);
      Cimage loaded;
      LoadBytesQuietly(loaded, corrupt);
      if (!loaded.m_loadError) {
        EXPECT_TRUE(loaded.m_pixels && loaded.m_bmi);
        EXPECT_TRUE(ravelight::IsSanePictureSize(loaded.m_width, loaded.m_height));
      }
    }
  }
}

TEST(TiffRealFiles, GdkPixbufFilesDecodeOrFailCleanly) {
  const std::vector<std::string> files =
      FilesUnder(SystemPath("/usr/libexec/installed-tests/gdk-pixbuf"), {".tif", ".tiff"});
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  for (const std::string& path : files)
    for (int mode : {5, 1}) {
      Cimage picture;
      LoadQuietly(picture, path, 16, 16, mode);
      if (picture.m_loadError) {
        EXPECT_TRUE(FailedCleanly(picture)) << path;
        continue;
      }
      EXPECT_TRUE(picture.m_pixels && picture.m_bmi) << path;
      EXPECT_TRUE(ravelight::IsSanePictureSize(picture.m_width, picture.m_height)) << path;
    }
}

}  // namespace
