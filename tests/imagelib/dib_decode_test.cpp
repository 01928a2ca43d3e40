// Packed DIBs of every kind decoded by our own code, exact to the pixel; and DIBs whose header,
// colour table, rows or runs lie, which must fail cleanly or stay inside the picture.
#include <climits>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "codec_bytes.h"
#include "dib_bytes.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x101010, kBlack = 0;
const std::vector<uint32_t> kFourColours = {kGrey, kRed, kGreen, kBlue};

std::vector<uint32_t> Ramp256() {
  std::vector<uint32_t> palette;
  for (uint32_t i = 0; i < 256; ++i) palette.push_back(i << 16 | (255 - i) << 8 | i / 2);
  return palette;
}

void Decode(Cimage& picture, const std::vector<uint8_t>& dib) { picture.FromPackedDIB(dib.data(), dib.size()); }

struct KindCase {
  std::string name;
  DibSpec dib;
  int width, height;
  std::vector<uint32_t> pixels;  // top row first
};
void PrintTo(const KindCase& c, std::ostream* out) { *out << c.name; }

std::vector<KindCase> Kinds() {
  const std::vector<uint32_t> ramp = Ramp256();
  return {
      {"OneBitAcrossTwoBytes",
       {10, 2, 1, 0, 0, 0, {}, {0x112233, 0xAABBCC}, {0x07, 0xC0, 0, 0, 0xAA, 0x80, 0, 0}},
       10, 2,
       {0xAABBCC, 0x112233, 0xAABBCC, 0x112233, 0xAABBCC, 0x112233, 0xAABBCC, 0x112233, 0xAABBCC, 0x112233,
        0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0xAABBCC, 0xAABBCC, 0xAABBCC, 0xAABBCC, 0xAABBCC}},
      // Three used colours; index 5 lies beyond the table and shows black.
      {"FourBitWithThreeUsedColours",
       {3, 2, 4, 0, 3, 0, {}, {kRed, kGreen, kBlue}, {0x25, 0x10, 0, 0, 0x01, 0x20, 0, 0}},
       3, 2,
       {kRed, kGreen, kBlue, kBlue, kBlack, kGreen}},
      {"EightBitTopDown",
       {2, -2, 8, 0, 0, 0, {}, ramp, {0, 255, 0, 0, 128, 7, 0, 0}},
       2, 2,
       {ramp[0], ramp[255], ramp[128], ramp[7]}},
      // Uncompressed 16-bit is 5-5-5; the top bit is unused.
      {"SixteenBit555",
       {4, 1, 16, 0, 0, 0, {}, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0xFF}},
       4, 1,
       {0xF80000, 0x00F800, 0x0000F8, 0xF8F8F8}},
      // 5-6-5 bit fields: pure red 0xF800 is red 248, the six green bits reach 252.
      {"SixteenBit565BitFields",
       {4, 1, 16, 3, 0, 0, {0xF800, 0x07E0, 0x001F}, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF}},
       4, 1,
       {0xF80000, 0x00FC00, 0x0000F8, 0xF8FCF8}},
      {"TwentyFourBitPaddedBottomUp",
       {2, 2, 24, 0, 0, 0, {}, {}, {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0}},
       2, 2,
       {0x010203, 0x040506, 0x070809, 0x0A0B0C}},
      {"ThirtyTwoBitIgnoresTheFourthByte",
       {2, 1, 32, 0, 0, 0, {}, {}, {0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x00}},
       2, 1,
       {0x302010, 0x605040}},
      {"ThirtyTwoBitFieldsInTheTopBytes",
       {1, 1, 32, 3, 0, 0, {0xFF000000, 0x00FF0000, 0x0000FF00}, {}, {0x44, 0x33, 0x22, 0x11}},
       1, 1,
       {0x112233}},
      // Ten-bit channels keep their top eight bits.
      {"ThirtyTwoBitTenBitFields",
       {1, 1, 32, 3, 0, 0, {0x3FF00000, 0x000FFC00, 0x000003FF}, {}, {0x01, 0x00, 0xF8, 0x3F}},
       1, 1,
       {0xFF8000}},
      // Runs, a literal run with its pad byte, end of line, a delta and the end of the bitmap;
      // pixels the data skips stay black.
      {"Rle8",
       {4, 3, 8, 1, 4, 0, {}, kFourColours,
        {0x03, 0x01, 0x01, 0x02, 0x00, 0x00,                      // bottom row: 3 red, 1 green
         0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x00, 0x00,          // literal green, blue, green
         0x00, 0x02, 0x02, 0x00, 0x01, 0x03, 0x00, 0x01}},        // skip two, one blue, end
       4, 3,
       {kBlack, kBlack, kBlue, kBlack, kGreen, kBlue, kGreen, kBlack, kRed, kRed, kRed, kGreen}},
      // Runs alternate two indices, high nibble first; literal nibbles pad to a 16-bit boundary.
      {"Rle4",
       {6, 2, 4, 2, 4, 0, {}, kFourColours,
        {0x06, 0x12, 0x00, 0x00,                                  // bottom row: red, green alternating
         0x00, 0x05, 0x23, 0x10, 0x30, 0x00, 0x00, 0x01}},        // five literal nibbles, end
       6, 2,
       {kGreen, kBlue, kRed, kGrey, kBlue, kBlack, kRed, kGreen, kRed, kGreen, kRed, kGreen}},
      // A delta that moves up a row.
      {"Rle8DeltaAcrossRows",
       {3, 2, 8, 1, 4, 0, {}, kFourColours, {0x00, 0x02, 0x01, 0x01, 0x01, 0x03, 0x00, 0x01}},
       3, 2,
       {kBlack, kBlue, kBlack, kBlack, kBlack, kBlack}},
  };
}

class DibKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(DibKinds, DecodeExactly) {
  const KindCase& c = GetParam();
  Cimage picture;
  Decode(picture, PackedDib(c.dib));
  ASSERT_TRUE(LoadedAs(picture, c.width, c.height));
  EXPECT_EQ(AllPixels(picture), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DibKinds, ::testing::ValuesIn(Kinds()),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return info.param.name; });

TEST(DibDecode, TheHeadersImageSizeIsNeverTrusted) {
  for (uint32_t claimed : {1u, 0xFFFFFFFFu}) {
    DibSpec d = Kinds()[5].dib;  // 24-bit
    d.imageSize = claimed;
    Cimage picture;
    Decode(picture, PackedDib(d));
    ASSERT_TRUE(LoadedAs(picture, 2, 2)) << claimed;
    EXPECT_EQ(AllPixels(picture), Kinds()[5].pixels);
  }
}

TEST(DibDecode, ABitmapTakesThePlaceOfTheOldPictureAndClearsTheErrors) {
  Cimage picture;
  Decode(picture, PackedDib(Kinds()[0].dib));
  picture.m_saveError = 1;
  picture.m_scaleDen = 4;
  Decode(picture, PackedDib(Kinds()[5].dib));
  EXPECT_TRUE(LoadedAs(picture, 2, 2));
  EXPECT_EQ(picture.m_fileSize, 0);
}

// Runs and deltas that reach past the row or the picture are cut at its edge.
TEST(DibDecode, RunsAndDeltasStayInsideThePicture) {
  const struct {
    const char* name;
    int width, height;
    std::vector<uint8_t> runs;
    std::vector<uint32_t> pixels;
  } cases[] = {
      {"run past the row", 2, 1, {0x05, 0x01, 0x00, 0x01}, {kRed, kRed}},
      {"literal past the row", 2, 2, {0x00, 0x04, 0x01, 0x02, 0x03, 0x01, 0x00, 0x00, 0x02, 0x03, 0x00, 0x01},
       {kBlue, kBlue, kRed, kGreen}},
      {"delta past the top", 2, 2, {0x01, 0x02, 0x00, 0x02, 0x00, 0x05, 0x01, 0x03}, {kBlack, kBlack, kGreen, kBlack}},
      {"delta past the right edge", 2, 1, {0x00, 0x02, 0xFF, 0x00, 0x02, 0x01, 0x00, 0x02, 0xFF, 0x00, 0x00, 0x01},
       {kBlack, kBlack}},
      {"rows past the top", 1, 1, {0x01, 0x01, 0x00, 0x00, 0x01, 0x02, 0x00, 0x00, 0x00, 0x01}, {kRed}},
      {"last row full without an end mark", 2, 1, {0x02, 0x03}, {kBlue, kBlue}},
  };
  for (const auto& c : cases) {
    Cimage picture;
    Decode(picture, PackedDib({c.width, c.height, 8, 1, 4, 0, {}, kFourColours, c.runs}));
    ASSERT_TRUE(LoadedAs(picture, c.width, c.height)) << c.name;
    EXPECT_EQ(AllPixels(picture), c.pixels) << c.name;
  }
}

std::vector<uint8_t> WithField(std::vector<uint8_t> dib, size_t offset, uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) dib.at(offset + i) = uint8_t(value >> (8 * i));
  return dib;
}

TEST(DibDecode, LyingHeadersFailCleanly) {
  const std::vector<uint8_t> eightBit = PackedDib(Kinds()[2].dib);
  const std::vector<uint8_t> fourBit = PackedDib(Kinds()[1].dib);
  const std::vector<uint8_t> rle8 = PackedDib(Kinds()[9].dib);
  const std::vector<uint8_t> sixteen = PackedDib(Kinds()[4].dib);
  const struct {
    const char* name;
    std::vector<uint8_t> dib;
  } cases[] = {
      {"core header size", WithField(eightBit, 0, 12)},
      {"version 4 header size", WithField(eightBit, 0, 108)},
      {"zero width", WithField(eightBit, 4, 0)},
      {"negative width", WithField(eightBit, 4, uint32_t(-2))},
      {"zero height", WithField(eightBit, 8, 0)},
      {"height INT_MIN", WithField(eightBit, 8, uint32_t(INT_MIN))},
      {"width over the cap", WithField(eightBit, 4, 30001)},
      {"area over the cap", WithField(WithField(eightBit, 4, 20000), 8, 20000)},
      {"two bits per pixel", WithField(eightBit, 14, 2, 2)},
      {"zero bits per pixel", WithField(eightBit, 14, 0, 2)},
      {"JPEG compression", WithField(eightBit, 16, 4)},
      {"unknown compression", WithField(eightBit, 16, 0x1000)},
      {"RLE8 at four bits", WithField(fourBit, 16, 1)},
      {"RLE4 at eight bits", WithField(eightBit, 16, 2)},
      {"bit fields at eight bits", WithField(eightBit, 16, 3)},
      {"top-down runs", WithField(rle8, 8, uint32_t(-3))},
      {"more colours than four bits index", WithField(fourBit, 32, 17)},
      {"more colours than 256", WithField(sixteen, 32, 257)},
      {"colour table past the block", WithField(fourBit, 32, 16)},
      {"rows one byte short", std::vector<uint8_t>(eightBit.begin(), eightBit.end() - 1)},
      {"header cut short", std::vector<uint8_t>(eightBit.begin(), eightBit.begin() + 39)},
      {"runs cut inside a literal", std::vector<uint8_t>(rle8.begin(), rle8.begin() + 40 + 16 + 9)},
      {"runs ending before the picture", std::vector<uint8_t>(rle8.begin(), rle8.end() - 2)},
  };
  for (const auto& c : cases) {
    Cimage picture;
    Decode(picture, c.dib);
    EXPECT_TRUE(FailedCleanly(picture)) << c.name;
  }
  Cimage nothing;
  nothing.FromPackedDIB(nullptr, 0);
  EXPECT_TRUE(FailedCleanly(nothing));
}

TEST(DibDecode, EveryShorterBlockFails) {
  for (const KindCase& c : Kinds()) {
    const std::vector<uint8_t> dib = PackedDib(c.dib);
    for (size_t length = 0; length < dib.size(); ++length) {
      Cimage picture;
      picture.FromPackedDIB(dib.data(), length);
      ASSERT_TRUE(FailedCleanly(picture)) << c.name << " cut to " << length;
    }
  }
}

#if defined(_WIN32)
TEST(DibDecode, ClipboardMemoryDecodesLikeThePackedBytes) {
  const KindCase c = Kinds()[9];
  const std::vector<uint8_t> dib = PackedDib(c.dib);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  ASSERT_TRUE(block);
  std::memcpy(GlobalLock(block), dib.data(), dib.size());
  GlobalUnlock(block);
  Cimage picture;
  picture.FromDIB(block);
  EXPECT_TRUE(LoadedAs(picture, c.width, c.height));
  EXPECT_EQ(AllPixels(picture), c.pixels);
  GlobalFree(block);
}
#endif

}  // namespace
