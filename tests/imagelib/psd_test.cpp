// Photoshop files made byte by byte: each colour mode, raw and PackBits rows, 8 and 16 bits, and
// files whose counts and lengths lie.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "byte_writer.h"
#include "cimage_test_access.h"
#include "codec_bytes.h"

namespace {

void LoadPsd(Cimage& picture, FILE* stream) { CimageTestAccess::LoadPSD(picture, stream); }

enum { kRaw = 0, kPackBits = 1 };
enum { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kMultichannel = 7, kDuotone = 8, kLab = 9 };

struct PsdSpec {
  int channels = 3, width = 1, height = 1, depth = 8, mode = kRgb;
  int compression = kRaw;
  std::vector<uint8_t> modeData, resources, layers;
  std::string signature = "8BPS";
  int version = 1;
};

std::vector<uint8_t> Section(const std::vector<uint8_t>& body) {
  return ByteWriter().Be32(uint32_t(body.size())).Bytes(body).Get();
}

// Header, the three sections, the compression word, then the image data as given.
std::vector<uint8_t> Psd(const PsdSpec& s, const std::vector<uint8_t>& data) {
  ByteWriter w;
  w.Text(s.signature).Be16(s.version).Fill(6, 0).Be16(s.channels).Be32(s.height).Be32(s.width);
  w.Be16(s.depth).Be16(s.mode);
  w.Bytes(Section(s.modeData)).Bytes(Section(s.resources)).Bytes(Section(s.layers)).Be16(s.compression);
  return w.Bytes(data).Get();
}

// PackBits image data: the 16-bit length of every row, then the rows.
std::vector<uint8_t> PackedRows(const std::vector<std::vector<uint8_t>>& rows) {
  ByteWriter w;
  for (const auto& row : rows) w.Be16(unsigned(row.size()));
  for (const auto& row : rows) w.Bytes(row);
  return w.Get();
}

uint32_t FromColorref(unsigned colorref) {
  return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

std::vector<uint8_t> IndexedPalette() {
  ByteWriter w;
  for (int i = 0; i < 256; ++i) w.U8(i);
  for (int i = 0; i < 256; ++i) w.U8(255 - i);
  for (int i = 0; i < 256; ++i) w.U8(i / 3);
  return w.Get();
}

std::vector<DecodeCase> GoodFiles() {
  PsdSpec rgb;
  rgb.width = 2;
  rgb.height = 2;
  PsdSpec rgbPacked = rgb;
  rgbPacked.width = 3;
  rgbPacked.height = 1;
  rgbPacked.compression = kPackBits;
  PsdSpec rgbAlpha = rgb;
  rgbAlpha.channels = 4;
  rgbAlpha.height = 1;
  PsdSpec withSections = rgb;
  withSections.height = 1;
  withSections.modeData = {1, 2, 3};
  withSections.resources = std::vector<uint8_t>(10, 0xAB);
  withSections.layers = std::vector<uint8_t>(6, 0xCD);
  PsdSpec grey;
  grey.channels = 1;
  grey.mode = kGrey;
  grey.width = 2;
  PsdSpec multichannel = grey;
  multichannel.mode = kMultichannel;
  multichannel.channels = 2;
  PsdSpec indexed = grey;
  indexed.mode = kIndexed;
  indexed.width = 3;
  indexed.modeData = IndexedPalette();
  PsdSpec indexedWithMask = indexed;
  indexedWithMask.channels = 2;
  PsdSpec cmyk;
  cmyk.channels = 4;
  cmyk.mode = kCmyk;
  cmyk.width = 3;
  PsdSpec lab;
  lab.mode = kLab;
  lab.width = 3;
  PsdSpec deep = rgb;
  deep.depth = 16;
  deep.width = 1;
  deep.height = 1;
  PsdSpec deepPacked = grey;
  deepPacked.depth = 16;
  deepPacked.compression = kPackBits;

  return {
      {"RgbRaw", Psd(rgb, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}), 2, 2,
       {0x0A325A, 0x143C64, 0x1E466E, 0x285078}},
      // A repeat, a no-op before a literal run, and a literal of one then a repeat of two.
      {"RgbPackBits", Psd(rgbPacked, PackedRows({{0xFE, 0x11}, {0x80, 0x02, 1, 2, 3}, {0x00, 5, 0xFF, 6}})), 3, 1,
       {0x110105, 0x110206, 0x110306}},
      {"AlphaChannelIsReadAndIgnored", Psd(rgbAlpha, {1, 2, 3, 4, 5, 6, 7, 8}), 2, 1, {0x010305, 0x020406}},
      {"SectionsAreSkipped", Psd(withSections, {1, 2, 3, 4, 5, 6}), 2, 1, {0x010305, 0x020406}},
      {"Greyscale", Psd(grey, {0, 200}), 2, 1, {0x000000, 0xC8C8C8}},
      {"MultichannelShowsTheFirstChannel", Psd(multichannel, {9, 200, 1, 2}), 2, 1, {0x090909, 0xC8C8C8}},
      {"Indexed", Psd(indexed, {0, 5, 255}), 3, 1, {0x00FF00, 0x05FA01, 0xFF0055}},
      // The palette is the picture's colours whatever other channels the file has.
      {"IndexedWithAnExtraChannel", Psd(indexedWithMask, {0, 5, 255, 1, 1, 1}), 3, 1, {0x00FF00, 0x05FA01, 0xFF0055}},
      {"Cmyk", Psd(cmyk, {0, 255, 128, 0, 255, 40, 0, 255, 200, 0, 255, 90}), 3, 1,
       {FromColorref(RGBfromCMYK(0, 0, 0, 0)), FromColorref(RGBfromCMYK(255, 255, 255, 255)),
        FromColorref(RGBfromCMYK(128, 40, 200, 90))}},
      {"Lab", Psd(lab, {255, 0, 136, 128, 136, 136, 128, 136, 0}), 3, 1,
       {FromColorref(RGBfromLAB(255, 128, 128)), FromColorref(RGBfromLAB(0, 136, 136)),
        FromColorref(RGBfromLAB(136, 136, 0))}},
      // Big-endian samples: the high byte is kept.
      {"SixteenBitRaw", Psd(deep, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}), 1, 1, {0x12569A}},
      {"SixteenBitPackBits", Psd(deepPacked, PackedRows({{0x03, 0xAB, 0xCD, 0x01, 0x02}})), 2, 1, {0xABABAB, 0x010101}},
  };
}

class PsdFiles : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PsdFiles, LoadExactly) { ExpectDecodesExactly(GetParam(), LoadPsd); }
TEST_P(PsdFiles, EveryTruncationFails) { EXPECT_TRUE(EveryTruncationFails(GetParam().file, LoadPsd)); }
INSTANTIATE_TEST_SUITE_P(Modes, PsdFiles, ::testing::ValuesIn(GoodFiles()), CaseName);

TEST(PsdDecode, LyingFilesFailCleanly) {
  auto rgb = [](auto change) {
    PsdSpec s;
    s.width = 2;
    change(s);
    return s;
  };
  const std::vector<uint8_t> pixels(6, 7);
  auto packed = [](std::vector<std::vector<uint8_t>> rows) {
    PsdSpec s;
    s.channels = 1;
    s.mode = kGrey;
    s.width = 3;
    s.compression = kPackBits;
    return Psd(s, PackedRows(rows));
  };
  std::vector<uint8_t> sectionPastTheEnd = Psd(rgb([](PsdSpec&) {}), pixels);
  sectionPastTheEnd[30] = 0x7F;  // the image resources' length
  const struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"duotone", Psd(rgb([](PsdSpec& s) { s.mode = kDuotone; }), pixels)},
      {"bitmap", Psd(rgb([](PsdSpec& s) { s.mode = kBitmap; }), pixels)},
      {"unknown mode", Psd(rgb([](PsdSpec& s) { s.mode = 5; }), pixels)},
      {"one bit deep", Psd(rgb([](PsdSpec& s) { s.depth = 1; }), pixels)},
      {"32 bits deep", Psd(rgb([](PsdSpec& s) { s.depth = 32; }), pixels)},
      {"no channels", Psd(rgb([](PsdSpec& s) { s.channels = 0; s.mode = kGrey; }), pixels)},
      {"57 channels", Psd(rgb([](PsdSpec& s) { s.channels = 57; }), std::vector<uint8_t>(114, 7))},
      {"RGB with two channels", Psd(rgb([](PsdSpec& s) { s.channels = 2; }), pixels)},
      {"CMYK with three channels", Psd(rgb([](PsdSpec& s) { s.mode = kCmyk; }), pixels)},
      {"Lab with two channels", Psd(rgb([](PsdSpec& s) { s.mode = kLab; s.channels = 2; }), pixels)},
      {"wrong signature", Psd(rgb([](PsdSpec& s) { s.signature = "8BPX"; }), pixels)},
      {"large-document version", Psd(rgb([](PsdSpec& s) { s.version = 2; }), pixels)},
      {"zero width", Psd(rgb([](PsdSpec& s) { s.width = 0; }), pixels)},
      {"width over the cap", Psd(rgb([](PsdSpec& s) { s.width = 30001; }), pixels)},
      {"height over 2^31", Psd(rgb([](PsdSpec& s) { s.height = int(0x80000001u); }), pixels)},
      {"short palette",
       Psd(rgb([](PsdSpec& s) { s.mode = kIndexed; s.channels = 1; s.modeData.resize(767); }), pixels)},
      {"long palette",
       Psd(rgb([](PsdSpec& s) { s.mode = kIndexed; s.channels = 1; s.modeData.resize(769); }), pixels)},
      {"no palette", Psd(rgb([](PsdSpec& s) { s.mode = kIndexed; s.channels = 1; }), pixels)},
      {"section past the end", sectionPastTheEnd},
      {"zip compression", Psd(rgb([](PsdSpec& s) { s.compression = 2; }), pixels)},
      {"raw data short", Psd(rgb([](PsdSpec&) {}), {7, 7, 7, 7, 7})},
      {"literal past the row", packed({{0x03, 1, 2, 3, 4}})},
      {"repeat past the row", packed({{0xFC, 9}})},
      {"row ends early", packed({{0x01, 1, 2}})},
      {"row without its repeated byte", packed({{0x01, 1, 2, 0xFF}})},
      {"row lengths past the end", Psd(rgb([](PsdSpec& s) { s.compression = kPackBits; s.channels = 3; }),
                                       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 1, 2})},
  };
  for (const auto& c : cases) {
    Cimage picture;
    DecodeBytes(picture, c.file, LoadPsd);
    EXPECT_TRUE(FailedCleanly(picture)) << c.name;
  }
}

}  // namespace
