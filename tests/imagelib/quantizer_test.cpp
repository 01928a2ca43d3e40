// The colour quantizers: exact palettes for pictures with few colours, median cut for the rest,
// Floyd-Steinberg dithering, and the fixed colour cube of the one-pass quantizer with each of its
// dither modes.
#include <cmath>
#include <cstdlib>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "colour_quantizer.h"
#include "jpeg_reference.h"
#include "palette_test_pictures.h"
#include "quantizer_reference.h"

namespace {

using ravelight::ColourMap;
using ravelight::DitherMode;
using ravelight::OnePassQuantizer;
using ravelight::TwoPassQuantizer;

struct Quantized {
  ColourMap map;
  std::vector<uint8_t> indices;  // width × height
};

Quantized RunTwoPass(const BgrImage& image, bool dither, int colours = 256) {
  TwoPassQuantizer quantizer;
  Quantized q;
  EXPECT_TRUE(quantizer.Start(image.width, colours));
  for (int y = 0; y < image.height; ++y) quantizer.CountRow(image.Row(y));
  q.map = quantizer.ChooseColours();
  q.indices.resize(size_t(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) quantizer.MapRow(image.Row(y), &q.indices[size_t(y) * image.width], dither);
  return q;
}

Quantized RunOnePass(const BgrImage& image, int colours = 236, DitherMode dither = DitherMode::kFloydSteinberg) {
  OnePassQuantizer quantizer;
  Quantized q;
  EXPECT_TRUE(quantizer.Start(image.width, colours, dither));
  q.map = quantizer.Colours();
  q.indices.resize(size_t(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) quantizer.MapRow(image.Row(y), &q.indices[size_t(y) * image.width]);
  return q;
}

Rgb Entry(const ColourMap& map, int i) { return {map.red[i], map.green[i], map.blue[i]}; }

::testing::AssertionResult ReproducedExactly(const BgrImage& image, const Quantized& q) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const int index = q.indices[size_t(y) * image.width + x];
      if (index >= q.map.count) return ::testing::AssertionFailure() << "index " << index << " beyond the map";
      if (!(Entry(q.map, index) == image.At(x, y))) return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    }
  return ::testing::AssertionSuccess();
}

// Mean of one channel (0 red, 1 green, 2 blue) over the picture and over its mapping.
double MeanOf(const BgrImage& image, int channel) {
  double sum = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) sum += image.Row(y)[3 * x + 2 - channel];
  return sum / (double(image.width) * image.height);
}
double MappedMeanOf(const Quantized& q, int channel) {
  const uint8_t* values[3] = {q.map.red, q.map.green, q.map.blue};
  double sum = 0;
  for (uint8_t index : q.indices) sum += values[channel][index];
  return sum / double(q.indices.size());
}

class ExactPalette : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(ExactPalette, PictureWithFewColoursIsReproducedExactly) {
  const auto [colours, dither] = GetParam();
  const BgrImage image = RandomImage(37, 29, DistinctPalette(colours));
  const Quantized q = RunTwoPass(image, dither);
  EXPECT_EQ(q.map.count, colours);
  EXPECT_TRUE(ReproducedExactly(image, q));
}

INSTANTIATE_TEST_SUITE_P(Colours, ExactPalette,
                         ::testing::Combine(::testing::Values(1, 2, 7, 100, 255, 256), ::testing::Bool()));

TEST(TwoPassQuantizer, ExactPaletteAlsoForFewerColoursAsked) {
  const BgrImage image = RandomImage(20, 20, DistinctPalette(16));
  const Quantized q = RunTwoPass(image, false, 16);
  EXPECT_EQ(q.map.count, 16);
  EXPECT_TRUE(ReproducedExactly(image, q));
}

TEST(TwoPassQuantizer, OneColourMoreThanAskedGoesThroughMedianCut) {
  const BgrImage image = RandomImage(40, 40, DistinctPalette(257));
  const Quantized q = RunTwoPass(image, false);
  EXPECT_LE(q.map.count, 256);
  EXPECT_FALSE(ReproducedExactly(image, q));
}

// 512 colours in two histogram cells (green 0..3 and 4..7): too many for an exact palette, so
// median cut splits the one box in two and each takes its cell's centre.
TEST(TwoPassQuantizer, MedianCutGivesTheCountWeightedCellCentres) {
  const BgrImage image = MakeBgrImage(64, 8, [](int x, int y) {
    const int i = y * 64 + x;
    return Rgb{uint8_t(i & 7), uint8_t(i >> 3 & 7), uint8_t(i >> 6 & 7)};
  });
  const Quantized q = RunTwoPass(image, false);
  ASSERT_EQ(q.map.count, 2);
  EXPECT_EQ(Entry(q.map, 0), (Rgb{4, 2, 4}));
  EXPECT_EQ(Entry(q.map, 1), (Rgb{4, 6, 4}));
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      EXPECT_EQ(q.indices[size_t(y) * 64 + x], image.At(x, y).green < 4 ? 0 : 1) << x << "," << y;
}

TEST(TwoPassQuantizer, ManyColoursGetAFullMapAndNearColours) {
  const BgrImage image = RainbowImage(128, 96);
  const Quantized q = RunTwoPass(image, false);
  EXPECT_EQ(q.map.count, 256);
  std::set<std::tuple<int, int, int>> entries;
  for (int i = 0; i < q.map.count; ++i) entries.insert({q.map.red[i], q.map.green[i], q.map.blue[i]});
  EXPECT_EQ(entries.size(), 256u) << "entries repeat";
  int worst = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Rgb want = image.At(x, y), got = Entry(q.map, q.indices[size_t(y) * image.width + x]);
      worst = std::max({worst, std::abs(want.red - got.red), std::abs(want.green - got.green),
                        std::abs(want.blue - got.blue)});
    }
  EXPECT_LE(worst, 16);
}

TEST(TwoPassQuantizer, DitheringChangesTheMappingButKeepsTheMeanColour) {
  const BgrImage image = RainbowImage(128, 96);
  const Quantized plain = RunTwoPass(image, false), dithered = RunTwoPass(image, true);
  EXPECT_NE(plain.indices, dithered.indices);
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_NEAR(MappedMeanOf(dithered, channel), MeanOf(image, channel), 1.5) << "channel " << channel;
}

TEST(TwoPassQuantizer, ConstantPictureStaysConstantWithDithering) {
  const BgrImage image = MakeBgrImage(50, 10, [](int, int) { return Rgb{123, 45, 67}; });
  const Quantized q = RunTwoPass(image, true);
  EXPECT_EQ(q.map.count, 1);
  EXPECT_TRUE(ReproducedExactly(image, q));
}

TEST(TwoPassQuantizer, RefusesCountsAndWidthsOutsideItsRange) {
  TwoPassQuantizer quantizer;
  EXPECT_FALSE(quantizer.Start(10, 7));
  EXPECT_FALSE(quantizer.Start(10, 257));
  EXPECT_FALSE(quantizer.Start(0, 256));
  EXPECT_FALSE(quantizer.Start(30001, 256));
  EXPECT_EQ(quantizer.ChooseColours().count, 0);
  EXPECT_TRUE(quantizer.Start(10, 8));
}

// The levels of each channel for a count asked.
struct CubeCase {
  int asked;
  std::vector<int> red, green, blue;
};

void PrintTo(const CubeCase& c, std::ostream* out) { *out << c.asked << " colours"; }

class ColourCube : public ::testing::TestWithParam<CubeCase> {};

TEST_P(ColourCube, LevelsAndMapFollowTheCount) {
  const CubeCase& c = GetParam();
  OnePassQuantizer quantizer;
  ASSERT_TRUE(quantizer.Start(4, c.asked));
  const ColourMap& map = quantizer.Colours();
  const int reds = int(c.red.size()), greens = int(c.green.size()), blues = int(c.blue.size());
  ASSERT_EQ(map.count, reds * greens * blues);
  // Blue runs fastest, red slowest.
  for (int i = 0; i < map.count; ++i) {
    EXPECT_EQ(map.red[i], c.red[i / (greens * blues)]) << i;
    EXPECT_EQ(map.green[i], c.green[i / blues % greens]) << i;
    EXPECT_EQ(map.blue[i], c.blue[i % blues]) << i;
  }
}

const std::vector<int> kSix = {0, 51, 102, 153, 204, 255};

INSTANTIATE_TEST_SUITE_P(Counts, ColourCube,
                         ::testing::Values(CubeCase{236, kSix, kSix, kSix},
                                           CubeCase{256, kSix, {0, 43, 85, 128, 170, 213, 255}, kSix},
                                           CubeCase{16, {0, 255}, {0, 85, 170, 255}, {0, 255}},
                                           CubeCase{8, {0, 255}, {0, 255}, {0, 255}}),
                         [](const ::testing::TestParamInfo<CubeCase>& info) { return "Asked" + std::to_string(info.param.asked); });

TEST(OnePassQuantizer, ColoursOnTheCubeMapExactly) {
  const BgrImage image = MakeBgrImage(36, 6, [&](int x, int y) {
    return Rgb{uint8_t(kSix[y]), uint8_t(kSix[x / 6]), uint8_t(kSix[x % 6])};
  });
  const Quantized q = RunOnePass(image);
  EXPECT_TRUE(ReproducedExactly(image, q));
}

TEST(OnePassQuantizer, DitheredGreyUsesTheNeighbouringLevelsAndKeepsItsMean) {
  const BgrImage image = MakeBgrImage(64, 64, [](int, int) { return Rgb{128, 128, 128}; });
  const Quantized q = RunOnePass(image);
  std::set<int> used;
  for (uint8_t index : q.indices) used.insert(q.map.red[index]);
  EXPECT_EQ(used, (std::set<int>{102, 153}));
  for (int channel = 0; channel < 3; ++channel) EXPECT_NEAR(MappedMeanOf(q, channel), 128.0, 0.5);
}

// The codec library's quantizers decode a JPEG straight to indices; ours, given the same
// decoded pixels, must choose the same map and the same index for every pixel.
struct ReferenceCase {
  ReferenceQuantizer kind;
  int colours;
};

void PrintTo(const ReferenceCase& c, std::ostream* out) {
  *out << int(c.kind) << " with " << c.colours << " colours";
}

class SameAsTheCodecLibrary : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(SameAsTheCodecLibrary, MapAndIndicesMatch) {
  const ReferenceCase& c = GetParam();
  ReferencePicture source = GradientPicture(173, 131, 3);
  for (size_t i = 0; i < source.samples.size(); ++i) source.samples[i] ^= uint8_t(i * 7 % 29);  // texture
  const std::vector<uint8_t> file = EncodeReferenceJpeg(source, 95);
  const ReferencePicture decoded = DecodeReferenceJpeg(file);
  const BgrImage image = MakeBgrImage(decoded.width, decoded.height, [&](int x, int y) {
    const uint8_t* p = &decoded.samples[(size_t(y) * decoded.width + x) * 3];
    return Rgb{p[0], p[1], p[2]};
  });
  const ReferenceQuantized want = DecodeQuantizedReference(file, c.kind, c.colours);
  Quantized got;
  switch (c.kind) {
    case ReferenceQuantizer::OnePassDithered: got = RunOnePass(image, c.colours); break;
    case ReferenceQuantizer::OnePassOrdered: got = RunOnePass(image, c.colours, DitherMode::kOrdered); break;
    case ReferenceQuantizer::OnePassPlain: got = RunOnePass(image, c.colours, DitherMode::kNone); break;
    case ReferenceQuantizer::TwoPass: got = RunTwoPass(image, false, c.colours); break;
    case ReferenceQuantizer::TwoPassDithered: got = RunTwoPass(image, true, c.colours); break;
  }
  ASSERT_EQ(got.map.count, int(want.red.size()));
  EXPECT_EQ(std::vector<uint8_t>(got.map.red, got.map.red + got.map.count), want.red);
  EXPECT_EQ(std::vector<uint8_t>(got.map.green, got.map.green + got.map.count), want.green);
  EXPECT_EQ(std::vector<uint8_t>(got.map.blue, got.map.blue + got.map.count), want.blue);
  EXPECT_TRUE(got.indices == want.indices);
}

std::string ReferenceCaseName(const ::testing::TestParamInfo<ReferenceCase>& info) {
  const char* kinds[] = {"OnePassDithered", "TwoPass", "TwoPassDithered", "OnePassOrdered", "OnePassPlain"};
  return kinds[int(info.param.kind)] + std::to_string(info.param.colours);
}

INSTANTIATE_TEST_SUITE_P(Quantizers, SameAsTheCodecLibrary,
                         ::testing::Values(ReferenceCase{ReferenceQuantizer::TwoPass, 256},
                                           ReferenceCase{ReferenceQuantizer::TwoPassDithered, 256},
                                           ReferenceCase{ReferenceQuantizer::TwoPass, 17},
                                           ReferenceCase{ReferenceQuantizer::TwoPassDithered, 100},
                                           ReferenceCase{ReferenceQuantizer::OnePassDithered, 236},
                                           ReferenceCase{ReferenceQuantizer::OnePassDithered, 256},
                                           ReferenceCase{ReferenceQuantizer::OnePassDithered, 16},
                                           ReferenceCase{ReferenceQuantizer::OnePassOrdered, 236},
                                           ReferenceCase{ReferenceQuantizer::OnePassOrdered, 256},
                                           ReferenceCase{ReferenceQuantizer::OnePassOrdered, 16},
                                           ReferenceCase{ReferenceQuantizer::OnePassOrdered, 8},
                                           ReferenceCase{ReferenceQuantizer::OnePassPlain, 236},
                                           ReferenceCase{ReferenceQuantizer::OnePassPlain, 256},
                                           ReferenceCase{ReferenceQuantizer::OnePassPlain, 16}),
                         ReferenceCaseName);

TEST(OnePassQuantizer, RefusesCountsAndWidthsOutsideItsRange) {
  OnePassQuantizer quantizer;
  EXPECT_FALSE(quantizer.Start(10, 7));
  EXPECT_FALSE(quantizer.Start(10, 257));
  EXPECT_FALSE(quantizer.Start(30001, 236));
  EXPECT_FALSE(quantizer.Start(10, 236, DitherMode(3)));
  EXPECT_EQ(quantizer.Colours().count, 0);
}

std::vector<std::vector<int>> MappedRows(const BgrImage& image, int colours, DitherMode dither) {
  const Quantized q = RunOnePass(image, colours, dither);
  std::vector<std::vector<int>> rows;
  for (int y = 0; y < image.height; ++y)
    rows.emplace_back(q.indices.begin() + long(y) * image.width, q.indices.begin() + long(y + 1) * image.width);
  return rows;
}

// Without dithering each channel goes to its nearest level. With 6 levels (0, 51, 102, 153, 204,
// 255) the highest values that stay on levels 0 to 4 are 26, 77, 128, 179 and 230; the entry is
// 36 × red level + 6 × green level + blue level.
TEST(OnePassQuantizer, WithoutDitheringEachChannelTakesItsNearestLevel) {
  const std::vector<Rgb> pixels = {{26, 27, 255}, {78, 128, 129}, {179, 180, 230}, {231, 0, 77}};
  const BgrImage image = MakeBgrImage(4, 2, [&](int x, int) { return pixels[size_t(x)]; });
  const std::vector<int> row = {0 * 36 + 1 * 6 + 5, 2 * 36 + 2 * 6 + 3, 3 * 36 + 4 * 6 + 4, 5 * 36 + 0 * 6 + 1};
  EXPECT_EQ(MappedRows(image, 236, DitherMode::kNone), (std::vector<std::vector<int>>{row, row}));
}

// Asked for 16 colours the cube has 2 red, 4 green and 2 blue levels (green 0, 85, 170, 255), so
// the entry is 8 × red level + 2 × green level + blue level. Each channel's offset at matrix value
// m is (255 - 2m) × 255 / (512 × (levels - 1)), truncated: for red and blue 127 at m = 0 down to
// -127 at m = 255, for green a third of that. Red 100 goes up a level where m < 50, green 128 where
// m < 128 (else level 1), blue 200 always (200 - 127 is above 128).
TEST(OnePassQuantizer, OrderedDitherOfASmallPictureGoldenIndices) {
  const BgrImage image = MakeBgrImage(16, 3, [](int, int) { return Rgb{100, 128, 200}; });
  const std::vector<std::vector<int>> want = {
      {13, 3, 13, 2, 13, 2, 13, 2, 13, 3, 13, 2, 13, 2, 13, 2},  // matrix row 0, 192, 48, 240, 12, ...
      {3, 13, 3, 5, 3, 13, 3, 5, 3, 13, 3, 5, 3, 13, 3, 3},      // row 128, 64, 176, 112, 140, ...
      {13, 2, 13, 2, 13, 2, 13, 2, 13, 2, 13, 2, 13, 2, 13, 2}};  // row 32, 224, 16, 208, 44, ...
  EXPECT_EQ(MappedRows(image, 16, DitherMode::kOrdered), want);
}

// The 6-level cube: a red ramp, green at 128 and a falling blue, each moved by at most 25.
TEST(OnePassQuantizer, OrderedDitherOnTheDisplayCubeGoldenIndices) {
  const BgrImage image = MakeBgrImage(16, 2, [](int x, int) { return Rgb{uint8_t(26 + 13 * x), 128, uint8_t(255 - 10 * x)}; });
  const std::vector<std::vector<int>> want = {
      {59, 53, 59, 52, 95, 52, 94, 87, 130, 123, 129, 122, 165, 158, 164, 158},
      {17, 59, 52, 58, 52, 94, 88, 88, 123, 129, 123, 129, 123, 165, 158, 158}};
  EXPECT_EQ(MappedRows(image, 236, DitherMode::kOrdered), want);
}

// The matrix row goes on from one row to the next and comes round after 16; the column starts
// again at each row; a new Start begins at the matrix's first row again.
TEST(OnePassQuantizer, OrderedDitherRepeatsEvery16RowsAndColumns) {
  const BgrImage image = MakeBgrImage(40, 35, [](int x, int y) {
    return Rgb{uint8_t(7 * (x % 16) + y % 16), uint8_t(120 + (x ^ y) % 16), uint8_t(250 - 9 * (y % 16))};
  });
  const std::vector<std::vector<int>> rows = MappedRows(image, 236, DitherMode::kOrdered);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      if (x >= 16) {
        EXPECT_EQ(rows[size_t(y)][size_t(x)], rows[size_t(y)][size_t(x - 16)]) << x << "," << y;
      }
      if (y >= 16) {
        EXPECT_EQ(rows[size_t(y)][size_t(x)], rows[size_t(y - 16)][size_t(x)]) << x << "," << y;
      }
    }
  OnePassQuantizer quantizer;
  std::vector<uint8_t> first(40), again(40);
  ASSERT_TRUE(quantizer.Start(40, 236, DitherMode::kOrdered));
  quantizer.MapRow(image.Row(5), first.data());
  quantizer.MapRow(image.Row(5), again.data());
  EXPECT_NE(first, again) << "the second row uses the matrix's second row";
  ASSERT_TRUE(quantizer.Start(40, 236, DitherMode::kOrdered));
  quantizer.MapRow(image.Row(5), again.data());
  EXPECT_EQ(first, again);
}

// Offsets carry samples beyond 0..255 without harm: black stays black everywhere. White stays
// white except where the offset, truncated, is a whole half step: with two levels only the
// matrix's 255 (row 0, column 15) takes 255 down to 128, the top of the lower level.
TEST(OnePassQuantizer, OrderedDitherAtTheEndsOfTheRange) {
  const BgrImage black = MakeBgrImage(16, 16, [](int, int) { return Rgb{0, 0, 0}; });
  const BgrImage white = MakeBgrImage(16, 16, [](int, int) { return Rgb{255, 255, 255}; });
  for (const int colours : {8, 16, 236, 256}) {
    const Quantized q = RunOnePass(black, colours, DitherMode::kOrdered);
    for (uint8_t index : q.indices) EXPECT_EQ(index, 0) << colours << " colours";
  }
  const Quantized q = RunOnePass(white, 8, DitherMode::kOrdered);
  for (size_t i = 0; i < q.indices.size(); ++i) EXPECT_EQ(q.indices[i], i == 15 ? 0 : 7) << "pixel " << i;
}

// Grey 128 lies between levels 102 and 153 and goes up where its offset is at least 1, that is
// where the matrix holds at most 122: 123 cells of every 256, in every channel alike.
TEST(OnePassQuantizer, OrderedDitherOfGreySpreadsOverTheNeighbouringLevels) {
  const BgrImage image = MakeBgrImage(64, 64, [](int, int) { return Rgb{128, 128, 128}; });
  const Quantized q = RunOnePass(image, 236, DitherMode::kOrdered);
  std::map<int, int> used;
  for (uint8_t index : q.indices) {
    ++used[q.map.red[index]];
    EXPECT_TRUE(q.map.red[index] == q.map.green[index] && q.map.green[index] == q.map.blue[index]);
  }
  EXPECT_EQ(used, (std::map<int, int>{{102, 16 * (256 - 123)}, {153, 16 * 123}}));
}

}  // namespace
