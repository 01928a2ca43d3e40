// Thumbnails of progressive JPEGs read only the scans the 1/8 decode uses. Real photographs,
// rewritten progressive by jpegtran (which keeps every coefficient), must give the very pixels
// the codec gives when it decodes the whole file at 1/8.
#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "jpeg_scan_filter.h"
#include "jpegtran_runner.h"
#include "missing_files.h"
#include "test_files.h"

namespace {

const std::string kFlowers = "/usr/share/libjxl-testdata/jxl/flower/flower.png.";

// Colour scans whose first DC passes hold back one or two bits, luma's alone, with luma AC split
// by band.
const char kColourScript[] =
    "0: 0-0, 0, 2 ;\n1,2: 0-0, 0, 1 ;\n0: 1-9, 0, 0 ;\n2: 1-63, 0, 0 ;\n1: 1-63, 0, 0 ;\n"
    "0: 0-0, 2, 1 ;\n0: 10-63, 0, 0 ;\n0,1,2: 0-0, 1, 0 ;\n";
const char kGreyScript[] = "0: 0-0, 0, 2 ;\n0: 1-63, 0, 1 ;\n0: 0-0, 2, 1 ;\n0: 0-0, 1, 0 ;\n0: 1-63, 1, 0 ;\n";

std::string ScriptFile(const char* script) {
  const std::string path = TempPath(script == kGreyScript ? "grey.scans" : "colour.scans");
  WriteBytes(path, std::vector<uint8_t>(script, script + std::char_traits<char>::length(script)));
  return path;
}

struct Rewrite {
  const char* name;
  const char* source;  // after kFlowers
  std::vector<std::string> options;
  const char* script;  // a scan script, or none
};

class ProgressiveThumbnail : public testing::TestWithParam<Rewrite> {};

TEST_P(ProgressiveThumbnail, IsTheFullEighthScaleDecode) {
  const Rewrite& r = GetParam();
  const std::string source = kFlowers + r.source;
  if (ReadBytes(source).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  std::vector<std::string> options = {"-copy", "all", "-progressive"};
  options.insert(options.end(), r.options.begin(), r.options.end());
  if (r.script) options.insert(options.end(), {"-scans", ScriptFile(r.script)});
  const std::string progressive = TempPath(std::string(r.name) + ".jpg");
  std::string why;
  if (!RunJpegtran(options, SystemPath(source), progressive, &why)) SKIP_OR_FAIL_MISSING(why);

  Cimage picture;
  ASSERT_TRUE(LoadJpegFile(picture, progressive, 180, 180, 1));
  ASSERT_FALSE(picture.m_loadError);
  ASSERT_EQ(picture.m_scaleDen, 8);
  const ReferencePicture whole = DecodeReferenceJpeg(ReadBytes(progressive), 8);
  ASSERT_EQ(picture.m_width, whole.width);
  ASSERT_EQ(picture.m_height, whole.height);
  // The picture holds blue, green, red even for grey; the reference red, green, blue or grey.
  const int last = whole.components - 1;
  for (int y = 0; y < whole.height; ++y)
    for (int x = 0; x < whole.width; ++x) {
      const uint8_t* got = picture.m_pixels + size_t(y) * picture.m_stride + 3 * x;
      const uint8_t* want = whole.samples.data() + (size_t(y) * whole.width + x) * whole.components;
      for (int c = 0; c < 3; ++c) ASSERT_EQ(got[2 - c], want[std::min(c, last)]) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Photographs, ProgressiveThumbnail,
    testing::Values(Rewrite{"chroma420", "im_q85_420.jpg", {}, nullptr},
                    Rewrite{"chroma422", "im_q85_422.jpg", {}, nullptr},
                    Rewrite{"chroma440", "im_q85_440.jpg", {}, nullptr},
                    Rewrite{"chroma444", "im_q85_444.jpg", {}, nullptr},
                    Rewrite{"chroma444tall", "im_q85_444_1x2.jpg", {}, nullptr},
                    Rewrite{"asymmetric", "im_q85_asymmetric.jpg", {}, nullptr},
                    Rewrite{"lumaSubsampled", "im_q85_luma_subsample.jpg", {}, nullptr},
                    Rewrite{"rgb", "im_q85_rgb.jpg", {}, nullptr},
                    Rewrite{"grey", "im_q85_gray.jpg", {}, nullptr},
                    Rewrite{"chroma420DcHeldBack", "im_q85_420.jpg", {}, kColourScript},
                    Rewrite{"chroma444DcHeldBack", "im_q85_444.jpg", {}, kColourScript},
                    Rewrite{"greyDcHeldBack", "im_q85_gray.jpg", {}, kGreyScript},
                    Rewrite{"restartsEveryThreeBlocks", "im_q85_420_R13B.jpg", {"-restart", "3B"}, nullptr},
                    Rewrite{"restartsEveryRow", "im_q85_444.jpg", {"-restart", "1"}, kColourScript}),
    [](const testing::TestParamInfo<Rewrite>& info) { return std::string(info.param.name); });

// A picture as loaded: its size, then its rows; empty when it did not load.
std::vector<uint8_t> Loaded(const std::string& path, int box, int mode) {
  Cimage picture;
  if (!LoadJpegFile(picture, path, box, box, mode) || picture.m_loadError || !picture.m_pixels) return {};
  std::vector<uint8_t> seen = {uint8_t(picture.m_width), uint8_t(picture.m_width >> 8), uint8_t(picture.m_height),
                               uint8_t(picture.m_height >> 8)};
  seen.insert(seen.end(), picture.m_pixels, picture.m_pixels + size_t(picture.m_stride) * picture.m_height);
  return seen;
}

// Decoders on several threads at once share the memory kept from one file for the next: every
// picture, sequential or progressive, at 1/8 or whole, comes out as it does decoded alone.
TEST(ProgressiveThumbnailThreads, GetThePicturesEachGetsAlone) {
  std::vector<std::string> files;
  for (const char* source : {"im_q85_420.jpg", "im_q85_444.jpg", "im_q85_gray.jpg"}) {
    const std::string original = kFlowers + source;
    if (ReadBytes(original).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
    const std::string progressive = TempPath(std::string("threads-") + source);
    std::string why;
    if (!RunJpegtran({"-copy", "all", "-progressive"}, SystemPath(original), progressive, &why)) SKIP_OR_FAIL_MISSING(why);
    files.push_back(original);
    files.push_back(progressive);
  }
  struct Load {
    size_t file;
    int box, mode;
  };
  std::vector<Load> loads;
  std::vector<std::vector<uint8_t>> alone;
  for (size_t f = 0; f < files.size(); ++f)
    for (const Load& load : {Load{f, 180, 1}, Load{f, 0, 5}}) {
      loads.push_back(load);
      alone.push_back(Loaded(files[f], load.box, load.mode));
      ASSERT_FALSE(alone.back().empty()) << files[f];
    }
  constexpr int kThreads = 4;
  std::vector<int> differing(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (size_t i = 0; i < 2 * loads.size(); ++i) {
        const size_t at = (i + 3 * size_t(t)) % loads.size();
        differing[t] += Loaded(files[loads[at].file], loads[at].box, loads[at].mode) != alone[at];
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(differing, std::vector<int>(kThreads, 0));
}

// The walk itself, on the same files: it keeps the DC scans and the subsampled chroma's AC, and
// leaves alone whatever it cannot follow, so that the decoder sees the file as it stands.
struct Walk {
  const char* name;
  const char* source;
  bool progressive;
  bool chromaAc;
  size_t (*damage)(std::vector<uint8_t>&);  // shortens or breaks the file; null leaves it whole
  bool kept;
};

size_t Truncate(std::vector<uint8_t>& file) { return file.size() - 100; }

// Turns the first restart marker of the file into the one after it.
size_t SkipARestart(std::vector<uint8_t>& file) {
  for (size_t i = 0; i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xD0) {
      file[i + 1] = 0xD1;
      break;
    }
  return file.size();
}

class ScanWalk : public testing::TestWithParam<Walk> {};

TEST_P(ScanWalk, KeepsWhatTheEighthScaleReads) {
  const Walk& w = GetParam();
  const std::string source = kFlowers + w.source;
  if (ReadBytes(source).empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  std::string path = source;
  if (w.progressive) {
    path = TempPath(std::string(w.name) + ".jpg");
    std::string why;
    if (!RunJpegtran({"-progressive", "-restart", "2"}, SystemPath(source), path, &why)) SKIP_OR_FAIL_MISSING(why);
  }
  std::vector<uint8_t> file = ReadBytes(path);
  const size_t size = w.damage ? w.damage(file) : file.size();
  ravelight::AcNeeded acNeeded;
  acNeeded.byComponentId[2] = acNeeded.byComponentId[3] = w.chromaAc;
  const size_t kept = ravelight::KeepEighthScaleScans(file.data(), size, acNeeded);
  if (!w.kept) {
    EXPECT_EQ(kept, 0u);
    return;
  }
  ASSERT_GT(kept, 0u);
  EXPECT_LT(kept, size / (w.chromaAc ? 2 : 4));
  EXPECT_EQ(file[kept - 2], 0xFF);
  EXPECT_EQ(file[kept - 1], 0xD9);
  const ReferencePicture whole = DecodeReferenceJpeg(ReadBytes(path), 8);
  const ReferencePicture eighth = DecodeReferenceJpeg({file.begin(), file.begin() + kept}, 8);
  EXPECT_EQ(eighth.width, whole.width);
  EXPECT_EQ(eighth.height, whole.height);
}

INSTANTIATE_TEST_SUITE_P(
    Photographs, ScanWalk,
    testing::Values(Walk{"dcOnly", "im_q85_444.jpg", true, false, nullptr, true},
                    Walk{"chromaAc", "im_q85_420.jpg", true, true, nullptr, true},
                    Walk{"sequential", "im_q85_444.jpg", false, false, nullptr, false},
                    Walk{"truncated", "im_q85_444.jpg", true, false, Truncate, false},
                    Walk{"restartSkipped", "im_q85_420.jpg", true, true, SkipARestart, false}),
    [](const testing::TestParamInfo<Walk>& info) { return std::string(info.param.name); });

}  // namespace
