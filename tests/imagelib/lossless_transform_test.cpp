// The lossless JPEG transform, compared with libjpeg-turbo's jpegtran on real files, and its
// geometry, marker copying and refusals.
#include <cstdio>
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

using ravelight::JpegTransform;

// Runs our transform from one file into another; false when it reports failure.
bool TransformFile(const std::string& from, const std::string& to, int transform) {
  FILE* in = std::fopen(from.c_str(), "rb");
  FILE* out = std::fopen(to.c_str(), "wb");
  const bool done = in && out && ravelight::TransformJpeg(in, out, JpegTransform(transform));
  if (out) std::fclose(out);
  if (in) std::fclose(in);
  return done;
}

std::vector<uint8_t> Transformed(const std::vector<uint8_t>& file, int transform, bool* done = nullptr) {
  static int count = 0;
  const std::string from = TempPath("from" + std::to_string(count) + ".jpg");
  const std::string to = TempPath("to" + std::to_string(count++) + ".jpg");
  WriteBytes(from, file);
  const bool ok = TransformFile(from, to, transform);
  if (done) *done = ok;
  return ReadBytes(to);
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

}  // namespace
