// BMP files: the file header and its offset of the bits, bare DIBs, OS/2 files, and real files
// nobody here made.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "codec_bytes.h"
#include "dib_bytes.h"
#include "picture_limits.h"
#include "png_rgba.h"
#include "test_files.h"
#include "missing_files.h"

namespace {

void LoadBmp(Cimage& picture, FILE* stream) { CimageTestAccess::LoadBMP(picture, stream); }

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0;

// 24-bit, 2 × 2, bottom-up rows padded to 8 bytes.
const DibSpec kTrueColour = {2, 2, 24, 0, 0, 0, {}, {}, {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0}};
const std::vector<uint32_t> kTrueColourPixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C};

// RLE8, 4 × 2: a run, an end of line, a literal run and the end of the bitmap, each row left
// unfinished so that the end marks matter.
const DibSpec kRuns = {4, 2, 8, 1, 3, 0, {}, {kRed, kGreen, kBlue},
                       {0x03, 0x01, 0x00, 0x00, 0x00, 0x03, 0x02, 0x00, 0x01, 0x00, 0x00, 0x01}};
const std::vector<uint32_t> kRunsPixels = {kBlue, kRed, kGreen, kBlack, kGreen, kGreen, kGreen, kBlack};

// An OS/2 file: 12-byte core header with 16-bit fields, colour entries of blue, green, red.
std::vector<uint8_t> Os2Bmp(int width, int height, int bitCount, const std::vector<uint32_t>& palette,
                            const std::vector<uint8_t>& bits, bool fileHeader = true) {
  ByteWriter dib;
  dib.Le32(12).Le16(width).Le16(height).Le16(1).Le16(bitCount);
  for (uint32_t c : palette) dib.U8(c).U8(c >> 8).U8(c >> 16);
  const uint32_t offset = uint32_t(14 + dib.Size());
  dib.Bytes(bits);
  if (!fileHeader) return dib.Get();
  return ByteWriter().Text("BM").Le32(uint32_t(14 + dib.Size())).Le32(0).Le32(offset).Bytes(dib.Get()).Get();
}

// A file with one of the later Windows headers (52, 56, 108 or 124 bytes): the classic 40 bytes,
// then the red, green, blue and alpha masks, then what the header's size leaves (colour space,
// gamma, profile), which the reader skips.
std::vector<uint8_t> LongHeaderBmp(uint32_t headerSize, int width, int height, int bitCount, uint32_t compression,
                                   const std::vector<uint32_t>& masks, const std::vector<uint8_t>& bits) {
  ByteWriter dib;
  dib.Le32(headerSize).Le32(uint32_t(width)).Le32(uint32_t(height)).Le16(1).Le16(bitCount).Le32(compression);
  dib.Le32(0).Le32(2835).Le32(2835).Le32(0).Le32(0);
  for (uint32_t m : masks) dib.Le32(m);
  while (dib.Size() < headerSize) dib.U8(0x5A);
  const uint32_t offset = uint32_t(14 + dib.Size());
  dib.Bytes(bits);
  return ByteWriter().Text("BM").Le32(uint32_t(14 + dib.Size())).Le32(0).Le32(offset).Bytes(dib.Get()).Get();
}

// An 8-bit OS/2 table always has all 256 entries: red, green, blue, then black.
std::vector<uint32_t> Palette256() {
  std::vector<uint32_t> palette = {kRed, kGreen, kBlue};
  palette.resize(256, kBlack);
  return palette;
}

std::vector<DecodeCase> GoodFiles() {
  DibSpec redGreen565 = {2, 1, 16, 3, 0, 0, {0xF800, 0x07E0, 0x001F}, {}, {0x00, 0xF8, 0xE0, 0x07}};
  DibSpec lyingSize = kRuns;
  lyingSize.imageSize = 0x7FFFFFFF;
  // Junk between the colour table and the rows, skipped by the offset of the bits.
  std::vector<uint8_t> gap = BmpFile(kTrueColour);
  gap.insert(gap.begin() + 54, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
  gap[10] = 60;
  // No offset in the file header: the rows follow the header at once.
  std::vector<uint8_t> noOffset = BmpFile(kTrueColour);
  noOffset[10] = 0;
  return {
      {"TrueColour", BmpFile(kTrueColour), 2, 2, kTrueColourPixels},
      {"BareDib", PackedDib(kTrueColour), 2, 2, kTrueColourPixels},
      {"BitsAfterAGap", gap, 2, 2, kTrueColourPixels},
      {"NoBitsOffset", noOffset, 2, 2, kTrueColourPixels},
      {"Rle8", BmpFile(kRuns), 4, 2, kRunsPixels},
      {"Rle8WithALyingImageSize", BmpFile(lyingSize), 4, 2, kRunsPixels},
      {"BareRle8", PackedDib(kRuns), 4, 2, kRunsPixels},
      {"PureRed565Is248", BmpFile(redGreen565), 2, 1, {0xF80000, 0x00FC00}},
      {"Os2OneBit", Os2Bmp(3, 2, 1, {kBlue, kGreen}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}), 3, 2,
       {kBlue, kGreen, kBlue, kGreen, kBlue, kGreen}},
      {"Os2EightBit", Os2Bmp(2, 1, 8, Palette256(), {2, 1, 0, 0}), 2, 1, {kBlue, kGreen}},
      {"Os2TrueColour", Os2Bmp(1, 1, 24, {}, {0x30, 0x20, 0x10, 0}), 1, 1, {0x102030}},
      {"BareOs2", Os2Bmp(2, 1, 8, Palette256(), {2, 1, 0, 0}, false), 2, 1, {kBlue, kGreen}},
      // The offset of the bits says the table stops after three entries; the rest are black.
      {"Os2ShortColourTable", Os2Bmp(3, 1, 8, {kRed, kGreen, kBlue}, {2, 0, 200, 0}), 3, 1, {kBlue, kRed, kBlack}},
      // What current programs write: V5 headers with the masks inside, V4 headers on plain rows.
      {"V5BitFieldsFromTheHeader",
       LongHeaderBmp(124, 2, 1, 32, 3, {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF},
                     {0x00, 0x30, 0x20, 0x10, 0x00, 0x00, 0x00, 0xFF}),
       2, 1, {0x302010, 0x0000FF}},
      {"V4PlainRows", LongHeaderBmp(108, 1, 1, 24, 0, {0, 0, 0, 0}, {0x30, 0x20, 0x10, 0}), 1, 1, {0x102030}},
      {"V3Rgb565", LongHeaderBmp(56, 2, 1, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, {0x00, 0xF8, 0xE0, 0x07}), 2, 1,
       {0xF80000, 0x00FC00}},
  };
}

class BmpFiles : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BmpFiles, LoadExactly) { ExpectDecodesExactly(GetParam(), LoadBmp); }
TEST_P(BmpFiles, EveryTruncationFails) { EXPECT_TRUE(EveryTruncationFails(GetParam().file, LoadBmp)); }

TEST(BmpRead, HeaderSizesOfNoKnownKindAreRefused) {
  for (const uint32_t size : {16u, 41u, 64u, 100u, 125u, 0xFFFFFFFFu}) {
    std::vector<uint8_t> file = LongHeaderBmp(124, 1, 1, 24, 0, {0, 0, 0, 0}, {1, 2, 3, 0});
    for (int i = 0; i < 4; ++i) file[size_t(14 + i)] = uint8_t(size >> (8 * i));
    Cimage picture;
    DecodeBytes(picture, file, LoadBmp);
    EXPECT_TRUE(FailedCleanly(picture)) << size;
  }
}
INSTANTIATE_TEST_SUITE_P(Layouts, BmpFiles, ::testing::ValuesIn(GoodFiles()), CaseName);

// Compressed rows are read to the end of the file; what follows the end mark is ignored.
TEST(BmpRead, BytesAfterTheEndOfTheRunsAreIgnored) {
  std::vector<uint8_t> file = BmpFile(kRuns);
  file.insert(file.end(), {0x05, 0x02, 0x00, 0x00});
  Cimage picture;
  DecodeBytes(picture, file, LoadBmp);
  ASSERT_TRUE(LoadedAs(picture, 4, 2));
  EXPECT_EQ(AllPixels(picture), kRunsPixels);
}

TEST(BmpRead, CorruptFilesFailCleanly) {
  const std::vector<uint8_t> good = BmpFile(kTrueColour);
  auto with = [&](size_t offset, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> file = good;
    std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
    return file;
  };
  DibSpec tooManyColours = {2, 1, 1, 0, 3, 0, {}, {kRed, kGreen, kBlue}, {0, 0, 0, 0}};
  const struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"bits offset past the end", with(10, {0x00, 0x01, 0x00, 0x00})},
      {"bits offset leaving rows short", with(10, {60, 0, 0, 0})},
      {"bits offset inside the header", with(10, {40, 0, 0, 0})},
      {"bits offset far past the end", with(10, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"version 3 header", with(14, {56})},
      {"version 4 header", with(14, {108})},
      {"version 5 header", with(14, {124})},
      {"OS/2 version 2 header", with(14, {64})},
      {"height INT_MIN", with(22, {0x00, 0x00, 0x00, 0x80})},
      {"huge width", with(18, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"three bits per pixel", with(28, {3})},
      {"more colours than one bit indexes", BmpFile(tooManyColours)},
      {"OS/2 core with two bits per pixel", Os2Bmp(1, 1, 2, {kRed, kGreen, kBlue, kBlack}, {0, 0, 0, 0})},
      {"OS/2 core with zero width", Os2Bmp(0, 1, 24, {}, {0, 0, 0, 0})},
      {"empty file", {}},
  };
  for (const auto& c : cases) {
    Cimage picture;
    DecodeBytes(picture, c.file, LoadBmp);
    EXPECT_TRUE(FailedCleanly(picture)) << c.name;
  }
}

// Real files nobody here made: broken and fuzzed ones decode to a sane picture or fail cleanly,
// with nothing printed and no sanitizer report.
TEST(BmpRealFiles, EveryFileDecodesOrFailsCleanly) {
  const std::string root = "/usr/libexec/installed-tests/gdk-pixbuf";
  std::vector<std::string> files = FilesIn(root, {".bmp"});
  for (const char* folder : {"/test-images/fail", "/test-images/randomly-modified", "/test-images/reftests"})
    for (const std::string& f : FilesIn(root + folder, {".bmp"})) files.push_back(f);
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  int decoded = 0, refused = 0;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    Cimage picture;
    ::testing::internal::CaptureStderr();
    DecodeBytes(picture, ReadBytes(path), LoadBmp);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    if (picture.m_loadError) {
      EXPECT_TRUE(FailedCleanly(picture));
      ++refused;
      continue;
    }
    ++decoded;
    EXPECT_TRUE(LoadedAs(picture, picture.m_width, picture.m_height));
    EXPECT_TRUE(ravelight::IsSanePictureSize(picture.m_width, picture.m_height));
  }
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

// Everything the reference decoder marks as seen (alpha above zero) has the reference's colour.
::testing::AssertionResult MatchesReference(const Cimage& picture, const std::string& referencePng) {
  RgbaPicture reference;
  if (!ReadPngRgba(referencePng, reference)) return ::testing::AssertionFailure() << "unreadable reference";
  if (picture.m_width != reference.width || picture.m_height != reference.height)
    return ::testing::AssertionFailure() << "size " << picture.m_width << "x" << picture.m_height;
  int compared = 0;
  for (int y = 0; y < reference.height; ++y)
    for (int x = 0; x < reference.width; ++x) {
      const uint8_t* want = reference.At(x, y);
      if (!want[3]) continue;
      ++compared;
      const uint32_t expected = uint32_t(want[0]) << 16 | want[1] << 8 | want[2];
      if (RgbAt(picture, x, y) != expected)
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << RgbAt(picture, x, y)
                                             << ", reference " << expected;
    }
  if (compared < reference.width * reference.height / 2)
    return ::testing::AssertionFailure() << "only " << compared << " pixels to compare";
  return ::testing::AssertionSuccess();
}

const std::string kReftests = "/usr/libexec/installed-tests/gdk-pixbuf/test-images/reftests/";

// A 32-bit file with the 56-byte header, whose masks (inside the header) put red, green and blue
// in the top three bytes: it decodes as the reference shows it.
TEST(BmpRealFiles, BitFieldsDecodeAsTheReferenceShows) {
  std::vector<uint8_t> file = ReadBytes(SystemPath(kReftests + "mandatory-bitmasks.bmp"));
  if (file.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  Cimage picture;
  DecodeBytes(picture, file, LoadBmp);
  ASSERT_TRUE(LoadedAs(picture, 350, 400));
  EXPECT_TRUE(MatchesReference(picture, SystemPath(kReftests + "mandatory-bitmasks.bmp.ref.png")));
}

// Icons hold packed DIBs whose height counts the colour rows and the transparency mask after them;
// with the height halved, the colour rows are an ordinary bottom-up DIB.
std::vector<uint8_t> IconDib(const std::vector<uint8_t>& icon, int width, int bitCount) {
  const int entries = icon[4] | icon[5] << 8;
  for (int i = 0; i < entries; ++i) {
    const uint8_t* e = icon.data() + 6 + 16 * i;
    const uint32_t size = e[8] | e[9] << 8 | e[10] << 16 | uint32_t(e[11]) << 24;
    const uint32_t offset = e[12] | e[13] << 8 | e[14] << 16 | uint32_t(e[15]) << 24;
    if (e[0] != width || (e[6] | e[7] << 8) != bitCount || icon[offset] != 40) continue;
    std::vector<uint8_t> dib(icon.begin() + offset, icon.begin() + offset + size);
    dib[8] = uint8_t(width);  // the icons used here are square and under 256 pixels
    dib[9] = dib[10] = dib[11] = 0;
    return dib;
  }
  return {};
}

TEST(BmpRealFiles, IconBitmapsDecodeAsTheReferenceShows) {
  const struct {
    const char* icon;
    int width, bitCount;
  } cases[] = {{"squares.ico", 100, 4}, {"bug785447.ico", 128, 32}};
  for (const auto& c : cases) {
    const std::vector<uint8_t> icon = ReadBytes(SystemPath(kReftests + c.icon));
    if (icon.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
    const std::vector<uint8_t> dib = IconDib(icon, c.width, c.bitCount);
    ASSERT_FALSE(dib.empty()) << c.icon;
    Cimage picture;
    picture.FromPackedDIB(dib.data(), dib.size());
    ASSERT_TRUE(LoadedAs(picture, c.width, c.width)) << c.icon;
    EXPECT_TRUE(MatchesReference(picture, SystemPath(kReftests + c.icon + ".ref.png"))) << c.icon;
  }
}

}  // namespace
