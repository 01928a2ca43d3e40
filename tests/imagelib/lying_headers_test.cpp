// A header may claim any size. Real files with their headers altered to claim 16384 × 16384 (or
// 16000 × 16000 for a GIF screen), and files made to claim it, must fail as load errors before
// memory is taken for the claim; genuine pictures that compress as well as their format allows
// still load. The lying files run first: on Windows the probe watches the process's peak.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "allocation_probe.h"
#include "byte_writer.h"
#include "cimage_test_access.h"
#include "dib_bytes.h"
#include "jpeg_reference.h"
#include "missing_files.h"
#include "palette_test_pictures.h"
#include "pixel_test_pictures.h"
#include "png_test_files.h"
#include "test_files.h"
#include "tiff_test_files.h"

namespace {

constexpr uint32_t kClaim = 16384;
// Far below any claimed picture, far above what reading a small file needs.
constexpr int64_t kSmallAllocation = 32 << 20;

void PutBig16(std::vector<uint8_t>& file, size_t at, uint32_t value) {
  file[at] = uint8_t(value >> 8);
  file[at + 1] = uint8_t(value);
}

std::vector<uint8_t> PngClaiming(const std::string& real) {
  std::vector<PngChunk> chunks = PngChunks(ReadBytes(real));
  if (chunks.empty()) return {};
  for (int i = 0; i < 2; ++i) {  // width, then height: big-endian 32-bit
    chunks[0].data[4 * i + 0] = 0;
    chunks[0].data[4 * i + 1] = 0;
    PutBig16(chunks[0].data, 4 * i + 2, kClaim);
  }
  return AssemblePng(chunks);
}

std::vector<uint8_t> GifScreenClaiming(const std::string& real) {
  std::vector<uint8_t> file = ReadBytes(real);
  if (file.size() < 13) return {};
  for (size_t at : {size_t{6}, size_t{8}}) {
    file[at] = uint8_t(16000 & 0xFF);
    file[at + 1] = uint8_t(16000 >> 8);
  }
  return file;
}

std::vector<uint8_t> JpegFrameClaiming(const std::string& real) {
  std::vector<uint8_t> file = ReadBytes(real);
  for (size_t i = 2; i + 9 < file.size(); ++i)
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC1 || file[i + 1] == 0xC2)) {
      PutBig16(file, i + 5, kClaim);
      PutBig16(file, i + 7, kClaim);
      return file;
    }
  return {};
}

// Three planes of 8-bit colour, followed by a few hundred bytes of runs.
std::vector<uint8_t> PcxClaiming() {
  ByteWriter w;
  w.U8(10).U8(5).U8(1).U8(8).Le16(0).Le16(0).Le16(kClaim - 1).Le16(kClaim - 1).Le16(72).Le16(72);
  std::vector<uint8_t> file = w.Get();
  file.resize(128);
  file[65] = 3;
  file[66] = uint8_t(kClaim & 0xFF);
  file[67] = uint8_t(kClaim >> 8);
  for (int i = 0; i < 200; ++i) file.insert(file.end(), {0xFF, 0x80});
  return file;
}

// Run-length rows that end the bitmap at once.
std::vector<uint8_t> BmpRunsClaiming() {
  DibSpec d;
  d.width = d.height = int32_t(kClaim);
  d.bitCount = 8;
  d.compression = 1;
  d.palette.assign(256, 0x808080);
  d.bits = {0x00, 0x01};
  return BmpFile(d);
}

std::vector<uint8_t> TiffClaiming(uint32_t compression) {
  const std::vector<uint8_t> data(200, 0x80);
  return BuildTiff({{256, kTiffLong, {kClaim}, ""}, {257, kTiffLong, {kClaim}, ""}, {258, kTiffShort, {8, 8, 8}, ""},
                    {259, kTiffShort, {compression}, ""}, {262, kTiffShort, {2}, ""},
                    {273, kTiffLong, {kTiffDataOffset}, ""}, {277, kTiffShort, {3}, ""}, {278, kTiffLong, {kClaim}, ""},
                    {279, kTiffLong, {uint32_t(data.size())}, ""}},
                   data);
}

struct Lie {
  const char* name;
  const char* extension;
  std::vector<uint8_t> (*make)();
};

const std::string kGdkImages = "/usr/libexec/installed-tests/gdk-pixbuf/test-images";

const Lie kLies[] = {
    {"pngHeaderAltered", ".png", [] { return PngClaiming(CorpusPath("png/pngsuite/basn2c08.png")); }},
    {"gifScreenAltered", ".gif", [] { return GifScreenClaiming(kGdkImages + "/gif-test-suite/all-blues.gif"); }},
    {"jpegFrameAltered", ".jpg",
     [] { return JpegFrameClaiming("/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg"); }},
    {"tiffStored", ".tif", [] { return TiffClaiming(1); }},
    {"tiffPackBits", ".tif", [] { return TiffClaiming(32773); }},
    {"tiffLzw", ".tif", [] { return TiffClaiming(5); }},
    {"tiffDeflate", ".tif", [] { return TiffClaiming(8); }},
    {"pcxRuns", ".pcx", PcxClaiming},
    {"bmpRuns", ".bmp", BmpRunsClaiming},
};

class LyingHeader : public testing::TestWithParam<Lie> {};

TEST_P(LyingHeader, FailsBeforeTakingMemoryForTheClaim) {
  const Lie& lie = GetParam();
  const std::vector<uint8_t> file = lie.make();
  if (file.empty()) SKIP_OR_FAIL_MISSING(std::string("the real file behind ") + lie.name + " is missing");
  const std::string path = TempPath(std::string(lie.name) + lie.extension);
  WriteBytes(path, file);
  for (int mode : {5, 1}) {
    SCOPED_TRACE(mode);
    Cimage picture;
    const int64_t largest = LargestAllocationDuring([&] { picture.LoadImageA(path.c_str(), 180, 180, mode); });
    EXPECT_EQ(picture.m_loadError, 1);
    EXPECT_FALSE(picture.m_pixels);
    if (largest >= 0) {
      EXPECT_LT(largest, kSmallAllocation);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, LyingHeader, testing::ValuesIn(kLies),
                         [](const testing::TestParamInfo<Lie>& info) { return std::string(info.param.name); });

// One flat colour, 4000 × 3000: as small as each writer can make that picture.
constexpr int kWidth = 4000, kHeight = 3000;

std::vector<uint8_t> FlatPng() {
  return EncodeReferencePng(kWidth, kHeight, 1, std::vector<uint8_t>(size_t(kWidth) * kHeight, 200));
}

std::vector<uint8_t> FlatJpeg() {
  ReferencePicture flat;
  flat.width = kWidth;
  flat.height = kHeight;
  flat.samples.assign(size_t(kWidth) * kHeight * 3, 200);
  return EncodeReferenceJpeg(flat, 75);
}

std::vector<uint8_t> OurFlatFile(const char* extension) {
  Cimage picture;
  MakeMarkedPicture(picture, kWidth, kHeight, Grey(200));
  const std::string path = TempPath(std::string("flat-source") + extension);
  if (std::string(extension) == ".tif") {
    const int setting = Cimage::S_tifcompression;
    Cimage::S_tifcompression = 1;  // LZW
    CimageTestAccess::SaveTIF(picture, path.c_str());
    Cimage::S_tifcompression = setting;
  } else {
    FILE* stream = std::fopen(path.c_str(), "wb");
    if (!stream) return {};
    CimageTestAccess::SaveGIF(picture, stream, 0);
    std::fclose(stream);
  }
  return ReadBytes(path);
}

struct Genuine {
  const char* name;
  const char* extension;
  std::vector<uint8_t> (*make)();
};

const Genuine kGenuine[] = {
    {"png", ".png", FlatPng},
    {"jpeg", ".jpg", FlatJpeg},
    {"gif", ".gif", [] { return OurFlatFile(".gif"); }},
    {"tiffLzw", ".tif", [] { return OurFlatFile(".tif"); }},
};

class WellCompressedPicture : public testing::TestWithParam<Genuine> {};

TEST_P(WellCompressedPicture, StillLoads) {
  const std::vector<uint8_t> file = GetParam().make();
  ASSERT_FALSE(file.empty());
  const std::string path = TempPath(std::string("flat-") + GetParam().name + GetParam().extension);
  WriteBytes(path, file);
  Cimage picture;
  picture.LoadImageA(path.c_str(), 0, 0, 5);
  ASSERT_FALSE(picture.m_loadError) << file.size() << " bytes";
  EXPECT_EQ(picture.m_width, kWidth);
  EXPECT_EQ(picture.m_height, kHeight);
}

INSTANTIATE_TEST_SUITE_P(Formats, WellCompressedPicture, testing::ValuesIn(kGenuine),
                         [](const testing::TestParamInfo<Genuine>& info) { return std::string(info.param.name); });

}  // namespace
