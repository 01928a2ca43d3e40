// Decoding PNG files: every colour type, depth and interlacing against libpng's own simplified
// decoder, alpha dropped rather than blended, and broken files refused without a sound.
#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "codec_bytes.h"
#include "folder_walk.h"
#include "picture_limits.h"
#include "png_test_files.h"
#include "test_files.h"
#include "missing_files.h"

namespace {

const std::vector<std::string> kPng = {".png"};

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

void LoadPng(Cimage& picture, FILE* stream) { CimageTestAccess::LoadPNG(picture, stream); }

// Loads the file, checking that nothing is printed on the way.
void LoadQuietly(Cimage& picture, const std::string& path) {
  FILE* stream = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(stream) << path;
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  LoadPng(picture, stream);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << path;
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << path;
  std::fclose(stream);
}

void LoadBytesQuietly(Cimage& picture, const std::vector<uint8_t>& file) {
  ::testing::internal::CaptureStderr();
  DecodeBytes(picture, file, LoadPng);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

::testing::AssertionResult MatchesReference(const Cimage& picture, const ReferencePng& reference) {
  if (!reference.decoded) return ::testing::AssertionFailure() << "the reference decoder refused it";
  const ::testing::AssertionResult loaded = LoadedAs(picture, reference.width, reference.height);
  if (!loaded) return loaded;
  for (int y = 0; y < reference.height; ++y)
    for (int x = 0; x < reference.width; ++x) {
      const size_t i = size_t(y) * reference.width + x;
      if (!reference.opaque[i]) continue;
      const uint8_t* got = picture.m_pixels + size_t(y) * picture.m_stride + 3 * x;
      const uint8_t* want = &reference.bgr[3 * i];
      if (!std::equal(want, want + 3, got))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << int(got[0]) << ","
                                             << int(got[1]) << "," << int(got[2]) << " instead of " << int(want[0])
                                             << "," << int(want[1]) << "," << int(want[2]);
    }
  return ::testing::AssertionSuccess();
}

void ExpectDecodesLikeReference(const std::string& path) {
  SCOPED_TRACE(path);
  Cimage picture;
  LoadQuietly(picture, path);
  EXPECT_TRUE(MatchesReference(picture, DecodeReferencePng(ReadBytes(path))));
}

std::vector<std::string> PngSuiteFiles() {
  std::vector<std::string> files = FilesUnder(CorpusPath("png/pngsuite"), kPng);
  for (const std::string& f : FilesUnder(SystemPath("/usr/share/libjxl-testdata/external/pngsuite"), kPng))
    files.push_back(f);
  return files;
}

TEST(PngCorpus, PngSuiteDecodesLikeLibpngAndRefusesItsBrokenFiles) {
  const std::vector<std::string> files = PngSuiteFiles();
  if (files.empty()) SKIP_OR_FAIL_MISSING("no PngSuite files: neither the shared corpus nor libjxl-testdata is here");
  int interlaced = 0;
  for (const std::string& path : files) {
    const std::string name = BaseName(path);
    if (name[0] == 'x') {
      Cimage picture;
      LoadQuietly(picture, path);
      EXPECT_TRUE(FailedCleanly(picture)) << path;
      continue;
    }
    interlaced += name[0] == 'i' || name.rfind("basi", 0) == 0;
    ExpectDecodesLikeReference(path);
  }
  // libjxl-testdata carries only part of the suite, without its interlaced files.
  if (!CorpusPath("png/pngsuite").empty()) {
    EXPECT_GT(interlaced, 0) << "the suite should hold interlaced files";
  }
}

// Grey, grey with alpha, palette and colour at 1 to 16 bits, with and without a transparency
// chunk and with every kind of gamma chunk (which the loader ignores).
TEST(PngCorpus, TestPngsOfEveryColourTypeAndDepthDecodeLikeLibpng) {
  const std::string folder = CorpusPath("png/testpngs");
  if (folder.empty()) GTEST_SKIP() << "the shared corpus is not beside this checkout";
  int checked = 0;
  for (const std::string& path : FilesUnder(folder, kPng)) {
    if (path.find("crashers") != std::string::npos) continue;
    ExpectDecodesLikeReference(path);
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

// Files that once crashed decoders: truncated ones, chunks claiming a gigabyte, bad checksums.
// One of them is a sound picture whose ancillary chunks are all empty; libpng skips those.
TEST(PngCorpus, CrashersAreRefusedCleanly) {
  const std::vector<std::string> files = FilesUnder(CorpusPath("png/testpngs/crashers"), kPng);
  if (files.empty()) GTEST_SKIP() << "the shared corpus is not beside this checkout";
  for (const std::string& path : files) {
    if (BaseName(path) == "empty_ancillary_chunks.png") {
      ExpectDecodesLikeReference(path);
      continue;
    }
    Cimage picture;
    LoadQuietly(picture, path);
    EXPECT_TRUE(FailedCleanly(picture)) << path;
  }
}

TEST(PngRealFiles, TestdataPngsDecodeLikeLibpng) {
  const std::vector<std::string> files = FilesUnder(SystemPath("/usr/share/libjxl-testdata"), kPng);
  if (files.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  bool flower = false;
  for (const std::string& path : files) {
    flower = flower || BaseName(path) == "flower.png";
    ExpectDecodesLikeReference(path);
  }
  EXPECT_TRUE(flower);
}

// Valid, broken and fuzzed files: each decodes to a sane picture that agrees with libpng where
// libpng decodes it too, or is a load error; nothing is printed and the sanitizers see no fault.
TEST(PngRealFiles, GdkPixbufFilesDecodeOrFailCleanly) {
  const std::vector<std::string> files = FilesUnder(SystemPath("/usr/libexec/installed-tests/gdk-pixbuf"), kPng);
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  int decoded = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    Cimage picture;
    LoadQuietly(picture, path);
    if (picture.m_loadError) {
      EXPECT_TRUE(FailedCleanly(picture));
      continue;
    }
    ++decoded;
    EXPECT_TRUE(LoadedAs(picture, picture.m_origWidth, picture.m_origHeight));
    EXPECT_TRUE(ravelight::IsSanePictureSize(picture.m_width, picture.m_height));
    const ReferencePng reference = DecodeReferencePng(ReadBytes(path));
    if (reference.decoded) {
      EXPECT_TRUE(MatchesReference(picture, reference));
    }
  }
  EXPECT_GT(decoded, 0);
}

// Pictures of our own, so that the essentials are tested without the corpus too.
struct OwnPng {
  const char* name;
  int channels;
  bool deep;
};

void PrintTo(const OwnPng& kind, std::ostream* out) { *out << kind.name; }

class PngOwnFiles : public ::testing::TestWithParam<OwnPng> {};

TEST_P(PngOwnFiles, DecodeToTheStoredSamples) {
  const OwnPng kind = GetParam();
  const int width = 13, height = 7, n = width * height * kind.channels;
  std::vector<uint8_t> file;
  if (kind.deep) {
    std::vector<uint16_t> samples(n);
    for (int i = 0; i < n; ++i) samples[i] = uint16_t(i * 997 % 65536);
    if (kind.channels % 2 == 0)  // opaque, so no premultiplication on the way in
      for (int i = kind.channels - 1; i < n; i += kind.channels) samples[i] = 65535;
    file = EncodeReferencePng16(width, height, kind.channels, samples);
  } else {
    std::vector<uint8_t> samples(n);
    for (int i = 0; i < n; ++i) samples[i] = uint8_t(i * 37 + 11);
    file = EncodeReferencePng(width, height, kind.channels, samples);
  }
  ASSERT_FALSE(file.empty());
  Cimage picture;
  LoadBytesQuietly(picture, file);
  EXPECT_TRUE(MatchesReference(picture, DecodeReferencePng(file)));
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngOwnFiles,
                         ::testing::Values(OwnPng{"Grey", 1, false}, OwnPng{"GreyAlpha", 2, false},
                                           OwnPng{"Rgb", 3, false}, OwnPng{"Rgba", 4, false},
                                           OwnPng{"Grey16", 1, true}, OwnPng{"Rgb16", 3, true},
                                           OwnPng{"Rgba16", 4, true}),
                         [](const ::testing::TestParamInfo<OwnPng>& info) { return info.param.name; });

TEST(PngDecoding, AlphaIsDroppedNotBlended) {
  // Red, green and blue, fully transparent, half transparent and opaque.
  const std::vector<uint8_t> rgba = {200, 100, 50, 0, 10, 20, 30, 128, 1, 2, 3, 255};
  Cimage picture;
  LoadBytesQuietly(picture, EncodeReferencePng(3, 1, 4, rgba));
  ASSERT_TRUE(LoadedAs(picture, 3, 1));
  const std::vector<uint8_t> bgr(picture.m_pixels, picture.m_pixels + 9);
  EXPECT_EQ(bgr, (std::vector<uint8_t>{50, 100, 200, 30, 20, 10, 3, 2, 1}));
}

TEST(PngDecoding, SixteenBitSamplesKeepTheirHighByte) {
  const std::vector<uint16_t> grey = {0x12FF, 0xAB00, 0xFFFF};
  Cimage picture;
  LoadBytesQuietly(picture, EncodeReferencePng16(3, 1, 1, grey));
  ASSERT_TRUE(LoadedAs(picture, 3, 1));
  const std::vector<uint8_t> bgr(picture.m_pixels, picture.m_pixels + 9);
  EXPECT_EQ(bgr, (std::vector<uint8_t>{0x12, 0x12, 0x12, 0xAB, 0xAB, 0xAB, 0xFF, 0xFF, 0xFF}));
}

std::vector<uint8_t> SmallPng() {
  std::vector<uint8_t> rgb(40 * 30 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 7 ^ i >> 5);
  return EncodeReferencePng(40, 30, 3, rgb);
}

PngChunk Ihdr(uint32_t width, uint32_t height) {
  PngChunk ihdr{"IHDR", {}};
  for (uint32_t v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) ihdr.data.push_back(uint8_t(v >> shift));
  ihdr.data.insert(ihdr.data.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  return ihdr;
}

// A file whose header claims a huge picture but whose data is one row: refused from the header,
// before the pixels would be allocated.
TEST(PngDecoding, HugeDimensionsAreRefusedBeforeAllocating) {
  const std::vector<uint8_t> small = SmallPng();
  std::vector<PngChunk> chunks = PngChunks(small);
  const struct {
    uint32_t width, height;
  } claims[] = {{100000, 10}, {10, 100000}, {20000, 20000}, {0x7FFFFFFF, 0x7FFFFFFF}, {0, 5}};
  for (const auto& claim : claims) {
    chunks[0] = Ihdr(claim.width, claim.height);
    Cimage picture;
    LoadBytesQuietly(picture, AssemblePng(chunks));
    EXPECT_TRUE(FailedCleanly(picture)) << claim.width << "x" << claim.height;
  }
}

TEST(PngDecoding, FilesThatAreNotPngAreRefused) {
  const std::vector<uint8_t> small = SmallPng();
  std::vector<uint8_t> badSignature = small;
  badSignature[1] = 'J';
  for (const std::vector<uint8_t>& file :
       {std::vector<uint8_t>{}, std::vector<uint8_t>(small.begin(), small.begin() + 7), badSignature,
        std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}}) {
    Cimage picture;
    LoadBytesQuietly(picture, file);
    EXPECT_TRUE(FailedCleanly(picture));
  }
}

// Every cut before the end of the image data, in a plain and an interlaced file.
TEST(PngDecoding, TruncatedFilesFailCleanly) {
  std::vector<std::vector<uint8_t>> files = {SmallPng()};
  const std::string interlaced = CorpusPath("png/pngsuite/ibasn2c08.png");
  if (!interlaced.empty()) files.push_back(ReadBytes(interlaced));
  for (const std::vector<uint8_t>& file : files) {
    size_t imageEnd = 8;
    for (const PngChunk& chunk : PngChunks(file)) {
      imageEnd += 12 + chunk.data.size();
      if (chunk.type == "IDAT") break;
    }
    for (size_t length = 0; length < imageEnd; length += 1 + length / 16) {
      Cimage picture;
      LoadBytesQuietly(picture, std::vector<uint8_t>(file.begin(), file.begin() + long(length)));
      EXPECT_TRUE(FailedCleanly(picture)) << "cut at " << length;
    }
  }
}

TEST(PngDecoding, CorruptImageDataFailsCleanly) {
  const std::vector<uint8_t> small = SmallPng();
  std::vector<PngChunk> chunks = PngChunks(small);
  const auto idat = std::find_if(chunks.begin(), chunks.end(), [](const PngChunk& c) { return c.type == "IDAT"; });
  ASSERT_NE(idat, chunks.end());
  // A flipped byte under an unchanged checksum, and a broken compressed stream under a correct one.
  std::vector<uint8_t> badCrc = small;
  badCrc[8 + 12 + 13 + 8 + 20] ^= 0x40;
  idat->data[0] ^= 0x0F;
  for (const std::vector<uint8_t>& file : {badCrc, AssemblePng(chunks)}) {
    Cimage picture;
    LoadBytesQuietly(picture, file);
    EXPECT_TRUE(FailedCleanly(picture));
  }
}

}  // namespace
