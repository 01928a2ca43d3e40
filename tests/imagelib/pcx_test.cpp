// PCX files made byte by byte: each kind of plane layout, the palettes, run-length coding, and
// headers that lie.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "byte_writer.h"
#include "cimage_test_access.h"
#include "codec_bytes.h"

namespace {

void LoadPcx(Cimage& picture, FILE* stream) { CimageTestAccess::LoadPCX(picture, stream); }

struct PcxSpec {
  int version = 5, bits = 8, planes = 1, bytesPerLine = 0;
  int xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  int manufacturer = 10;
  std::vector<uint8_t> palette16 = std::vector<uint8_t>(48);
};

std::vector<uint8_t> Header(const PcxSpec& s) {
  ByteWriter w;
  w.U8(s.manufacturer).U8(s.version).U8(1).U8(s.bits);
  w.Le16(s.xmin).Le16(s.ymin).Le16(s.xmax).Le16(s.ymax).Le16(72).Le16(72);
  w.Bytes(s.palette16).U8(0).U8(s.planes).Le16(s.bytesPerLine).Le16(1);
  return w.Fill(128 - w.Size(), 0).Get();
}

// Run-length coding as writers do it: runs of up to 63 equal bytes, and single bytes that look
// like a count written as a run of one.
std::vector<uint8_t> Encode(const std::vector<uint8_t>& raw) {
  ByteWriter w;
  for (size_t i = 0; i < raw.size();) {
    size_t n = 1;
    while (i + n < raw.size() && raw[i + n] == raw[i] && n < 63) ++n;
    if (n > 1 || raw[i] >= 0xC0) w.U8(0xC0 | unsigned(n));
    w.U8(raw[i]);
    i += n;
  }
  return w.Get();
}

std::vector<uint8_t> File(const PcxSpec& s, const std::vector<uint8_t>& rows, const std::vector<uint8_t>& tail = {}) {
  return ByteWriter().Bytes(Header(s)).Bytes(Encode(rows)).Bytes(tail).Get();
}

uint32_t Palette16Colour(int i) { return uint32_t(i * 16) << 16 | uint32_t(255 - i * 16) << 8 | uint32_t(i); }
uint32_t Palette256Colour(int i) { return uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i ^ 0x55); }

std::vector<uint8_t> Palette16() {
  ByteWriter w;
  for (int i = 0; i < 16; ++i) w.U8(Palette16Colour(i) >> 16).U8(Palette16Colour(i) >> 8).U8(Palette16Colour(i));
  return w.Get();
}

std::vector<uint8_t> Palette256Block(int marker = 12) {
  ByteWriter w;
  w.U8(marker);
  for (int i = 0; i < 256; ++i) w.U8(Palette256Colour(i) >> 16).U8(Palette256Colour(i) >> 8).U8(Palette256Colour(i));
  return w.Get();
}

// One row of indices as bit planes, plane 0 first, each bytesPerLine long.
std::vector<uint8_t> BitPlanes(const std::vector<int>& indices, int planes, int bytesPerLine) {
  std::vector<uint8_t> row(size_t(planes * bytesPerLine));
  for (size_t x = 0; x < indices.size(); ++x)
    for (int p = 0; p < planes; ++p)
      if (indices[x] >> p & 1) row[p * bytesPerLine + x / 8] |= uint8_t(0x80 >> (x % 8));
  return row;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<DecodeCase> GoodFiles() {
  PcxSpec sixteen;
  sixteen.bits = 1;
  sixteen.planes = 4;
  sixteen.bytesPerLine = 2;
  sixteen.xmax = 2;
  sixteen.ymax = 1;
  sixteen.palette16 = Palette16();

  PcxSpec indexed;
  indexed.bytesPerLine = 4;  // one byte of padding, dropped
  indexed.xmax = 2;
  indexed.ymax = 1;

  PcxSpec wide;  // 0..639: 640 pixels
  wide.bits = 1;
  wide.bytesPerLine = 80;
  wide.xmax = 639;
  std::vector<uint32_t> stripes;
  for (int x = 0; x < 640; ++x) stripes.push_back(x % 2 ? 0x000000 : 0xFFFFFF);

  PcxSpec offset = indexed;  // only the difference of the corners counts
  offset.xmin = 100;
  offset.xmax = 102;
  offset.ymin = 7;
  offset.ymax = 8;

  PcxSpec rgb;
  rgb.planes = 3;
  rgb.bytesPerLine = 2;
  rgb.xmax = 1;

  PcxSpec oldMono = wide;
  oldMono.version = 0;
  oldMono.xmax = 9;
  oldMono.bytesPerLine = 2;

  const std::vector<uint8_t> indexedRows = {0, 200, 255, 9, 7, 7, 7, 9};
  const std::vector<uint32_t> indexedPixels = {Palette256Colour(0), Palette256Colour(200), Palette256Colour(255),
                                               Palette256Colour(7), Palette256Colour(7), Palette256Colour(7)};
  return {
      {"SixteenColoursFromTheHeaderPalette", File(sixteen, Concat(BitPlanes({0, 5, 15}, 4, 2), BitPlanes({10, 3, 8}, 4, 2))),
       3, 2,
       {Palette16Colour(0), Palette16Colour(5), Palette16Colour(15), Palette16Colour(10), Palette16Colour(3),
        Palette16Colour(8)}},
      {"PaletteAfterMarker12", File(indexed, indexedRows, Palette256Block()), 3, 2, indexedPixels},
      {"CornersAwayFromTheOrigin", File(offset, indexedRows, Palette256Block()), 3, 2, indexedPixels},
      {"XmaxOf639Is640Wide", File(wide, std::vector<uint8_t>(80, 0xAA)), 640, 1, stripes},
      {"RedGreenBluePlanes", File(rgb, {1, 2, 3, 4, 5, 6}), 2, 1, {0x010305, 0x020406}},
      {"OldMonochrome", File(oldMono, {0xC0, 0x40}), 10, 1,
       {0xFFFFFF, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF}},
  };
}

class PcxFiles : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PcxFiles, LoadExactly) { ExpectDecodesExactly(GetParam(), LoadPcx); }
TEST_P(PcxFiles, EveryTruncationFails) { EXPECT_TRUE(EveryTruncationFails(GetParam().file, LoadPcx)); }
INSTANTIATE_TEST_SUITE_P(Kinds, PcxFiles, ::testing::ValuesIn(GoodFiles()), CaseName);

// Writers may let a run go on from one row into the next.
TEST(PcxDecode, ARunCarriesOverIntoTheNextRow) {
  PcxSpec s;
  s.bytesPerLine = 2;
  s.xmax = 1;
  s.ymax = 1;
  const std::vector<uint8_t> file = ByteWriter().Bytes(Header(s)).U8(0xC4).U8(7).Bytes(Palette256Block()).Get();
  Cimage picture;
  DecodeBytes(picture, file, LoadPcx);
  ASSERT_TRUE(LoadedAs(picture, 2, 2));
  EXPECT_EQ(AllPixels(picture), std::vector<uint32_t>(4, Palette256Colour(7)));
}

TEST(PcxDecode, OnlyKnownVersionsBitsAndPlanesLoad) {
  const struct {
    int version, bits, planes;
    bool loads;
  } cases[] = {
      {5, 8, 1, true},  {5, 8, 3, true},  {5, 1, 1, true},  {5, 1, 4, true},  {3, 8, 1, true},
      {3, 1, 4, true},  {2, 1, 4, true},  {2, 1, 1, true},  {0, 1, 1, true},  {0, 1, 4, false},
      {2, 8, 1, false}, {4, 8, 1, false}, {1, 1, 1, false}, {5, 8, 2, false}, {5, 8, 4, false},
      {5, 1, 3, false}, {5, 4, 1, false}, {5, 2, 1, false}, {5, 24, 1, false},
  };
  for (const auto& c : cases) {
    PcxSpec s;
    s.version = c.version;
    s.bits = c.bits;
    s.planes = c.planes;
    s.bytesPerLine = 4;
    s.xmax = 1;
    Cimage picture;
    DecodeBytes(picture, File(s, std::vector<uint8_t>(16, 1), Palette256Block()), LoadPcx);
    EXPECT_EQ(picture.m_loadError, c.loads ? 0 : 1) << c.version << " " << c.bits << " " << c.planes;
  }
}

TEST(PcxDecode, LyingHeadersFailCleanly) {
  PcxSpec good;
  good.bytesPerLine = 4;
  good.xmax = 2;
  good.ymax = 1;
  auto spec = [&](auto change) {
    PcxSpec s = good;
    change(s);
    return s;
  };
  const std::vector<uint8_t> rows(8, 3);
  const struct {
    const char* name;
    std::vector<uint8_t> file;
  } cases[] = {
      {"palette marker 11", File(good, rows, Palette256Block(11))},
      {"palette marker 0", File(good, rows, Palette256Block(0))},
      {"no room for the palette", ByteWriter().Bytes(Header(good)).Fill(700, 1).Get()},
      {"manufacturer 0", File(spec([](PcxSpec& s) { s.manufacturer = 0; }), rows, Palette256Block())},
      {"manufacturer 11", File(spec([](PcxSpec& s) { s.manufacturer = 11; }), rows, Palette256Block())},
      {"xmax below xmin", File(spec([](PcxSpec& s) { s.xmin = 5; s.xmax = 4; }), rows, Palette256Block())},
      {"ymax below ymin", File(spec([](PcxSpec& s) { s.ymin = 1; s.ymax = 0; }), rows, Palette256Block())},
      {"rows narrower than the width", File(spec([](PcxSpec& s) { s.bytesPerLine = 2; }), rows, Palette256Block())},
      {"zero bytes per line", File(spec([](PcxSpec& s) { s.bytesPerLine = 0; }), rows, Palette256Block())},
      {"bit rows narrower than the width",
       File(spec([](PcxSpec& s) { s.bits = 1; s.xmax = 16; s.bytesPerLine = 2; }), rows)},
      {"wider than the cap", File(spec([](PcxSpec& s) { s.xmax = 65535; s.bytesPerLine = 65535; }), rows,
                                  Palette256Block())},
      {"rows running into the palette", File(good, {3, 3, 3}, Palette256Block())},
      {"empty file", {}},
  };
  for (const auto& c : cases) {
    Cimage picture;
    DecodeBytes(picture, c.file, LoadPcx);
    EXPECT_TRUE(FailedCleanly(picture)) << c.name;
  }
}

}  // namespace
