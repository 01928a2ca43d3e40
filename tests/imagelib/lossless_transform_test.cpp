// The lossless JPEG transform, compared with libjpeg-turbo's jpegtran on real files, and its
// geometry, greyscale results, marker copying and refusals.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "jpeg_comparison.h"
#include "lossless_transform.h"
#include "jpeg_reference.h"
#include "jpegtran_runner.h"
#include "test_files.h"
#include "missing_files.h"

namespace {

using ravelight::JpegMarkerCopy;
using ravelight::JpegTransform;
using ravelight::JpegTransformOptions;

JpegTransformOptions Options(int transform, bool greyscale = false, JpegMarkerCopy markers = JpegMarkerCopy::kAll) {
  JpegTransformOptions options;
  options.transform = JpegTransform(transform);
  options.forceGreyscale = greyscale;
  options.markers = markers;
  return options;
}

// Runs our transform from one file into another; false when it reports failure. The library's
// own call when the options are its defaults, so that both entry points are exercised.
bool TransformFile(const std::string& from, const std::string& to, const JpegTransformOptions& options) {
  FILE* in = std::fopen(from.c_str(), "rb");
  FILE* out = std::fopen(to.c_str(), "wb");
  const bool plain = !options.forceGreyscale && options.markers == JpegMarkerCopy::kAll;
  const bool done = in && out &&
                    (plain ? ravelight::TransformJpeg(in, out, options.transform) : ravelight::TransformJpeg(in, out, options));
  if (out) std::fclose(out);
  if (in) std::fclose(in);
  return done;
}
bool TransformFile(const std::string& from, const std::string& to, int transform) {
  return TransformFile(from, to, Options(transform));
}

std::vector<uint8_t> Transformed(const std::vector<uint8_t>& file, const JpegTransformOptions& options,
                                 bool* done = nullptr) {
  static int count = 0;
  const std::string from = TempPath("from" + std::to_string(count) + ".jpg");
  const std::string to = TempPath("to" + std::to_string(count++) + ".jpg");
  WriteBytes(from, file);
  const bool ok = TransformFile(from, to, options);
  if (done) *done = ok;
  return ReadBytes(to);
}
std::vector<uint8_t> Transformed(const std::vector<uint8_t>& file, int transform, bool* done = nullptr) {
  return Transformed(file, Options(transform), done);
}

const char* const kTransformNames[] = {"None", "FlipHorizontal", "FlipVertical", "Transpose",
                                       "Transverse", "Rotate90", "Rotate180", "Rotate270"};

struct RealFileCase {
  std::string variant;  // the libjxl flower file's subsampling
  int transform;
};

void PrintTo(const RealFileCase& c, std::ostream* out) { *out << c.variant << " " << kTransformNames[c.transform]; }

class AgainstJpegtran : public ::testing::TestWithParam<RealFileCase> {};

// The flower is 2268 × 1512: with 16-sample MCUs both edges are partial, so trimming shows.
TEST_P(AgainstJpegtran, DecodesToTheSamePixels) {
  const RealFileCase& c = GetParam();
  const std::string source = SystemPath("/usr/share/libjxl-testdata/jxl/flower/flower.png.im_q85_" + c.variant + ".jpg");
  if (ReadBytes(source).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  const std::string ours = TempPath("ours-" + c.variant + kTransformNames[c.transform] + ".jpg");
  const std::string theirs = TempPath("theirs-" + c.variant + kTransformNames[c.transform] + ".jpg");
  std::string why;
  if (!RunJpegtran(JpegtranOptions(c.transform), source, theirs, &why)) SKIP_OR_FAIL_MISSING(why);
  ASSERT_TRUE(TransformFile(source, ours, c.transform));
  EXPECT_TRUE(DecodeAlike(ReadBytes(ours), ReadBytes(theirs)));
  EXPECT_EQ(SamplingFactors(ReadBytes(ours)), SamplingFactors(ReadBytes(theirs)));
}

std::vector<RealFileCase> RealFileCases() {
  std::vector<RealFileCase> cases;
  for (const char* variant : {"444", "422", "420", "gray"})
    for (int transform = 1; transform <= 7; ++transform) cases.push_back({variant, transform});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(FlowerVariants, AgainstJpegtran, ::testing::ValuesIn(RealFileCases()),
                         [](const ::testing::TestParamInfo<RealFileCase>& info) {
                           return info.param.variant + "_" + kTransformNames[info.param.transform];
                         });

struct SizeCase {
  int transform;
  int width, height;  // of the result, from a 100 × 75 picture with 2 × 2 chroma MCUs of 16
};

class TrimmedSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(TrimmedSizes, CutOnlyTheEdgesThatMove) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(100, 75, 3));
  bool done = false;
  const ReferencePicture result = DecodeReferenceJpeg(Transformed(source, GetParam().transform, &done));
  ASSERT_TRUE(done);
  EXPECT_EQ(result.width, GetParam().width);
  EXPECT_EQ(result.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(From100By75, TrimmedSizes,
                         ::testing::Values(SizeCase{0, 100, 75}, SizeCase{1, 96, 75}, SizeCase{2, 100, 64},
                                           SizeCase{3, 75, 100}, SizeCase{4, 64, 96}, SizeCase{5, 64, 100},
                                           SizeCase{6, 96, 64}, SizeCase{7, 75, 96}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return kTransformNames[info.param.transform]; });

TEST(LosslessTransform, APictureSmallerThanOneMcuIsNotTrimmedAway) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(10, 6, 3));
  bool done = false;
  const ReferencePicture result = DecodeReferenceJpeg(Transformed(source, 5, &done));
  ASSERT_TRUE(done);
  EXPECT_EQ(result.width, 6);
  EXPECT_EQ(result.height, 10);
}

// Turns that undo each other give back every coefficient when the picture is whole MCUs.
TEST(LosslessTransform, TurnsAndTheirInversesGiveBackTheCoefficients) {
  for (const int components : {1, 3}) {
    const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(96, 64, components), 85);
    const std::vector<int16_t> original = JpegCoefficients(source);
    ASSERT_FALSE(original.empty());
    const int pairs[][2] = {{6, 6}, {5, 7}, {7, 5}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    for (const auto& pair : pairs) {
      const std::vector<uint8_t> there = Transformed(source, pair[0]);
      EXPECT_EQ(JpegCoefficients(Transformed(there, pair[1])), original)
          << kTransformNames[pair[0]] << " then " << kTransformNames[pair[1]] << ", " << components << " components";
    }
  }
}

TEST(LosslessTransform, TransposesTheQuantisationTables) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(64, 48, 3), 50);
  std::vector<JpegSegment> before, after;
  for (const JpegSegment& s : JpegHeaderSegments(source)) if (s.marker == 0xDB) before.push_back(s);
  for (const JpegSegment& s : JpegHeaderSegments(Transformed(source, 5))) if (s.marker == 0xDB) after.push_back(s);
  ASSERT_EQ(before.size(), after.size());
  // Zig-zag order: entries 1 and 2 are [0][1] and [1][0], which the transposition swaps.
  for (size_t t = 0; t < before.size(); ++t) {
    ASSERT_GE(before[t].data.size(), 65u);
    EXPECT_EQ(after[t].data[2], before[t].data[3]);
    EXPECT_EQ(after[t].data[3], before[t].data[2]);
    EXPECT_EQ(after[t].data[1], before[t].data[1]);
  }
}

std::vector<int> Markers(const std::vector<uint8_t>& file, std::vector<std::vector<uint8_t>>* data = nullptr) {
  std::vector<int> markers;
  for (const JpegSegment& s : JpegHeaderSegments(file))
    if ((s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE) {
      markers.push_back(s.marker);
      if (data) data->push_back(s.data);
    }
  return markers;
}

TEST(LosslessTransform, CarriesEveryApplicationSegmentAndCommentOverButOneJfifHeader) {
  const std::vector<uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
  const std::vector<uint8_t> icc = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1, 9, 9};
  const std::vector<uint8_t> comment = {'h', 'e', 'l', 'l', 'o'};
  const std::vector<uint8_t> app15(300, 0x5A);
  const std::vector<uint8_t> source =
      EncodeReferenceJpeg(GradientPicture(64, 48, 3), 80, {{0xE1, exif}, {0xE2, icc}, {0xFE, comment}, {0xEF, app15}});
  ASSERT_EQ(Markers(source), (std::vector<int>{0xE0, 0xE1, 0xE2, 0xFE, 0xEF}));
  for (int transform = 1; transform <= 7; ++transform) {
    std::vector<std::vector<uint8_t>> data;
    EXPECT_EQ(Markers(Transformed(source, transform), &data), (std::vector<int>{0xE0, 0xE1, 0xE2, 0xFE, 0xEF}))
        << kTransformNames[transform];
    ASSERT_EQ(data.size(), 5u);
    EXPECT_EQ(data[1], exif);
    EXPECT_EQ(data[2], icc);
    EXPECT_EQ(data[3], comment);
    EXPECT_EQ(data[4], app15);
  }
}

TEST(LosslessTransform, KeepsAnApp0ThatIsNotAJfifHeader) {
  const std::vector<uint8_t> jfxx = {'J', 'F', 'X', 'X', 0, 0x13};
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(32, 32, 3), 80, {{0xE0, jfxx}});
  std::vector<std::vector<uint8_t>> data;
  ASSERT_EQ(Markers(Transformed(source, 6), &data), (std::vector<int>{0xE0, 0xE0}));
  EXPECT_EQ(data[1], jfxx);
}

TEST(LosslessTransform, RefusesWhatIsNotACleanJpeg) {
  const std::vector<uint8_t> good = EncodeReferenceJpeg(GradientPicture(64, 48, 3), 80);
  const std::vector<uint8_t> truncated(good.begin(), good.begin() + long(good.size() * 2 / 3));
  std::vector<uint8_t> damaged = good;
  damaged[damaged.size() - 40] = 0xFF;  // a stray marker in the scan: the decoder only warns
  damaged[damaged.size() - 39] = 0xD5;
  const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  const std::vector<uint8_t> empty;
  for (const std::vector<uint8_t>* file : std::vector<const std::vector<uint8_t>*>{&truncated, &damaged, &text, &empty}) {
    bool done = true;
    Transformed(*file, 5, &done);
    EXPECT_FALSE(done) << file->size() << " bytes";
  }
}

// Greyscale results: only the luminance, sampled 1 × 1, so MCUs are single blocks and the edges
// that move are trimmed to multiples of 8; jpegtran's -grayscale does the same.
class GreyscaleAgainstJpegtran : public ::testing::TestWithParam<RealFileCase> {};

TEST_P(GreyscaleAgainstJpegtran, DecodesToTheSamePixels) {
  const RealFileCase& c = GetParam();
  const std::string source = SystemPath("/usr/share/libjxl-testdata/jxl/flower/flower.png.im_q85_" + c.variant + ".jpg");
  if (ReadBytes(source).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  const std::string ours = TempPath("grey-ours-" + c.variant + kTransformNames[c.transform] + ".jpg");
  const std::string theirs = TempPath("grey-theirs-" + c.variant + kTransformNames[c.transform] + ".jpg");
  std::vector<std::string> options = {"-grayscale"};
  for (const std::string& o : JpegtranOptions(c.transform)) options.push_back(o);
  std::string why;
  if (!RunJpegtran(options, source, theirs, &why)) SKIP_OR_FAIL_MISSING(why);
  ASSERT_TRUE(TransformFile(source, ours, Options(c.transform, true)));
  EXPECT_TRUE(DecodeAlike(ReadBytes(ours), ReadBytes(theirs)));
  EXPECT_EQ(SamplingFactors(ReadBytes(ours)), std::vector<int>{0x11});
  EXPECT_EQ(SamplingFactors(ReadBytes(theirs)), std::vector<int>{0x11});
}

std::vector<RealFileCase> GreyscaleCases() {
  std::vector<RealFileCase> cases;
  for (const char* variant : {"444", "420", "gray"})
    for (int transform = 0; transform <= 7; ++transform) cases.push_back({variant, transform});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(FlowerVariants, GreyscaleAgainstJpegtran, ::testing::ValuesIn(GreyscaleCases()),
                         [](const ::testing::TestParamInfo<RealFileCase>& info) {
                           return info.param.variant + "_" + kTransformNames[info.param.transform];
                         });

class GreyscaleTrimmedSizes : public ::testing::TestWithParam<SizeCase> {};

// The same 100 × 75 picture with 2 × 2 chroma MCUs as above: greyscale trims to 8, not 16.
TEST_P(GreyscaleTrimmedSizes, CutToWholeBlocks) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(100, 75, 3));
  bool done = false;
  const ReferencePicture result = DecodeReferenceJpeg(Transformed(source, Options(GetParam().transform, true), &done));
  ASSERT_TRUE(done);
  EXPECT_EQ(result.components, 1);
  EXPECT_EQ(result.width, GetParam().width);
  EXPECT_EQ(result.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(From100By75, GreyscaleTrimmedSizes,
                         ::testing::Values(SizeCase{0, 100, 75}, SizeCase{1, 96, 75}, SizeCase{2, 100, 72},
                                           SizeCase{3, 75, 100}, SizeCase{4, 72, 96}, SizeCase{5, 72, 100},
                                           SizeCase{6, 96, 72}, SizeCase{7, 75, 96}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return kTransformNames[info.param.transform]; });

// Without a turn the greyscale file holds exactly the source's luminance blocks, the first
// component's coefficients; turning it and turning back gives them again.
TEST(LosslessTransform, GreyscaleKeepsTheLuminanceCoefficients) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(96, 64, 3), 85);
  const std::vector<int16_t> all = JpegCoefficients(source);
  const size_t lumaBlocks = (96 / 8) * (64 / 8);
  ASSERT_GT(all.size(), lumaBlocks * 64);
  const std::vector<int16_t> luma(all.begin(), all.begin() + long(lumaBlocks * 64));
  const std::vector<uint8_t> grey = Transformed(source, Options(0, true));
  EXPECT_EQ(JpegCoefficients(grey), luma);
  EXPECT_EQ(SamplingFactors(grey), std::vector<int>{0x11});
  for (const auto& pair : std::vector<std::vector<int>>{{5, 7}, {6, 6}, {3, 3}, {1, 1}}) {
    EXPECT_EQ(JpegCoefficients(Transformed(Transformed(source, Options(pair[0], true)), pair[1])), luma)
        << kTransformNames[pair[0]] << " then " << kTransformNames[pair[1]];
  }
  // The luminance's quantisation table is the only one written.
  int tables = 0;
  for (const JpegSegment& s : JpegHeaderSegments(grey))
    if (s.marker == 0xDB) tables += int(s.data.size() / 65);
  EXPECT_EQ(tables, 1);
}

// Only YCbCr (with full-resolution luminance) and greyscale files can lose their colour in
// coefficient space; CMYK cannot, and is refused rather than written wrong.
TEST(LosslessTransform, GreyscaleRefusesWhatHasNoFullResolutionLuminance) {
  const std::vector<uint8_t> cmyk = EncodeReferenceJpeg(GradientPicture(32, 32, 4));
  // YCbCr whose luminance is sampled below its colour.
  const std::vector<uint8_t> halfLuma = EncodeReferenceJpeg(GradientPicture(64, 32, 3), 90, {}, {0x11, 0x21, 0x11});
  ASSERT_EQ(SamplingFactors(halfLuma), (std::vector<int>{0x11, 0x21, 0x11}));
  for (const std::vector<uint8_t>* file : {&cmyk, &halfLuma}) {
    bool done = true;
    Transformed(*file, Options(5, true), &done);
    EXPECT_FALSE(done);
    Transformed(*file, Options(5, false), &done);
    EXPECT_TRUE(done) << "in colour the same file turns";
  }
}

// A greyscale source stays greyscale, now in 8-sample MCUs.
TEST(LosslessTransform, GreyscaleOfAGreyscaleFileIsTheSamePicture) {
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(40, 24, 1), 90);
  bool done = false;
  const std::vector<uint8_t> grey = Transformed(source, Options(6, true), &done);
  ASSERT_TRUE(done);
  EXPECT_TRUE(DecodeAlike(Transformed(source, 6), grey));
}

struct CopyCase {
  JpegMarkerCopy copy;
  const char* jpegtranCopy;
  std::vector<int> markers;  // of the result, from a source with JFIF, EXIF, ICC, a comment and APP15
};

void PrintTo(const CopyCase& c, std::ostream* out) { *out << "copy " << c.jpegtranCopy; }

class MarkerCopy : public ::testing::TestWithParam<CopyCase> {};

// None: only the JFIF header the codec writes itself. Comments: that and the comment. All: every
// segment, the source's JFIF header giving way to the codec's. jpegtran's -copy options agree.
TEST_P(MarkerCopy, KeepsTheSegmentsTheOptionNames) {
  const CopyCase& c = GetParam();
  const std::vector<uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
  const std::vector<uint8_t> icc = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 1, 1, 9, 9};
  const std::vector<uint8_t> comment = {'h', 'e', 'l', 'l', 'o'};
  const std::vector<uint8_t> app15(300, 0x5A);
  const std::vector<uint8_t> source =
      EncodeReferenceJpeg(GradientPicture(64, 48, 3), 80, {{0xE1, exif}, {0xFE, comment}, {0xE2, icc}, {0xEF, app15}});
  ASSERT_EQ(Markers(source), (std::vector<int>{0xE0, 0xE1, 0xFE, 0xE2, 0xEF}));
  const std::map<int, std::vector<uint8_t>> carried = {{0xE1, exif}, {0xFE, comment}, {0xE2, icc}, {0xEF, app15}};
  for (const bool greyscale : {false, true}) {
    for (int transform = 0; transform <= 7; ++transform) {
      std::vector<std::vector<uint8_t>> data;
      bool done = false;
      EXPECT_EQ(Markers(Transformed(source, Options(transform, greyscale, c.copy), &done), &data), c.markers)
          << kTransformNames[transform] << (greyscale ? " greyscale" : "");
      EXPECT_TRUE(done);
      for (size_t i = 1; i < data.size() && i < c.markers.size(); ++i)
        EXPECT_EQ(data[i], carried.at(c.markers[i])) << "segment " << i;
    }
  }
  const std::string from = TempPath(std::string("copy-source-") + c.jpegtranCopy + ".jpg");
  const std::string theirs = TempPath(std::string("copy-theirs-") + c.jpegtranCopy + ".jpg");
  WriteBytes(from, source);
  std::string why;
  if (!RunJpegtran({"-copy", c.jpegtranCopy, "-rotate", "90", "-trim"}, from, theirs, &why)) SKIP_OR_FAIL_MISSING(why);
  std::vector<std::vector<uint8_t>> ourData, theirData;
  EXPECT_EQ(Markers(Transformed(source, Options(5, false, c.copy)), &ourData), Markers(ReadBytes(theirs), &theirData));
  EXPECT_EQ(ourData, theirData);
}

INSTANTIATE_TEST_SUITE_P(Options, MarkerCopy,
                         ::testing::Values(CopyCase{JpegMarkerCopy::kNone, "none", {0xE0}},
                                           CopyCase{JpegMarkerCopy::kComments, "comments", {0xE0, 0xFE}},
                                           CopyCase{JpegMarkerCopy::kAll, "all", {0xE0, 0xE1, 0xFE, 0xE2, 0xEF}}),
                         [](const ::testing::TestParamInfo<CopyCase>& info) { return std::string(info.param.jpegtranCopy); });

// A CMYK file's Adobe segment is the codec's own in every case, never doubled.
TEST(LosslessTransform, CmykKeepsOneAdobeSegmentWhateverIsCopied) {
  const std::vector<uint8_t> comment = {'c', 'm', 'y', 'k'};
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(32, 32, 4), 80, {{0xFE, comment}});
  ASSERT_EQ(Markers(source), (std::vector<int>{0xEE, 0xFE}));
  EXPECT_EQ(Markers(Transformed(source, Options(6, false, JpegMarkerCopy::kNone))), std::vector<int>{0xEE});
  EXPECT_EQ(Markers(Transformed(source, Options(6, false, JpegMarkerCopy::kComments))), (std::vector<int>{0xEE, 0xFE}));
  EXPECT_EQ(Markers(Transformed(source, Options(6, false, JpegMarkerCopy::kAll))), (std::vector<int>{0xEE, 0xFE}));
}

}  // namespace
