// The colour quantizers: exact palettes for pictures with few colours, median cut for the rest,
// Floyd-Steinberg dithering, and the fixed colour cube of the one-pass quantizer.
#include <cmath>
#include <cstdlib>
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

Quantized RunOnePass(const BgrImage& image, int colours = 236) {
  OnePassQuantizer quantizer;
  Quantized q;
  EXPECT_TRUE(quantizer.Start(image.width, colours));
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
  const Quantized got = c.kind == ReferenceQuantizer::OnePassDithered
                            ? RunOnePass(image, c.colours)
                            : RunTwoPass(image, c.kind == ReferenceQuantizer::TwoPassDithered, c.colours);
  ASSERT_EQ(got.map.count, int(want.red.size()));
  EXPECT_EQ(std::vector<uint8_t>(got.map.red, got.map.red + got.map.count), want.red);
  EXPECT_EQ(std::vector<uint8_t>(got.map.green, got.map.green + got.map.count), want.green);
  EXPECT_EQ(std::vector<uint8_t>(got.map.blue, got.map.blue + got.map.count), want.blue);
  EXPECT_TRUE(got.indices == want.indices);
}

std::string ReferenceCaseName(const ::testing::TestParamInfo<ReferenceCase>& info) {
  const char* kinds[] = {"OnePassDithered", "TwoPass", "TwoPassDithered"};
  return kinds[int(info.param.kind)] + std::to_string(info.param.colours);
}

INSTANTIATE_TEST_SUITE_P(Quantizers, SameAsTheCodecLibrary,
                         ::testing::Values(ReferenceCase{ReferenceQuantizer::TwoPass, 256},
                                           ReferenceCase{ReferenceQuantizer::TwoPassDithered, 256},
                                           ReferenceCase{ReferenceQuantizer::TwoPass, 17},
                                           ReferenceCase{ReferenceQuantizer::TwoPassDithered, 100},
                                           ReferenceCase{ReferenceQuantizer::OnePassDithered, 236},
                                           ReferenceCase{ReferenceQuantizer::OnePassDithered, 256},
                                           ReferenceCase{ReferenceQuantizer::OnePassDithered, 16}),
                         ReferenceCaseName);

TEST(OnePassQuantizer, RefusesCountsAndWidthsOutsideItsRange) {
  OnePassQuantizer quantizer;
  EXPECT_FALSE(quantizer.Start(10, 7));
  EXPECT_FALSE(quantizer.Start(10, 257));
  EXPECT_FALSE(quantizer.Start(30001, 236));
  EXPECT_EQ(quantizer.Colours().count, 0);
}

}  // namespace
