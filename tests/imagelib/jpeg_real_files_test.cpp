// Real JPEG files that nobody here made: Debian's test-image packages.
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "picture_limits.h"
#include "test_files.h"
#include "missing_files.h"

namespace {

const std::vector<std::string> kJpegExtensions = {".jpg", ".jpeg"};

std::vector<std::string> TestdataJpegs() {
  std::vector<std::string> files = FilesIn("/usr/share/libjxl-testdata/jxl/flower", kJpegExtensions);
  for (const std::string& f : FilesIn("/usr/share/libjxl-testdata/jxl/jpeg_reconstruction", kJpegExtensions))
    files.push_back(f);
  return files;
}

struct FrameSize {
  int width = 0, height = 0;
};

FrameSize SofSize(const std::vector<uint8_t>& file) {
  for (const JpegSegment& s : JpegHeaderSegments(file))
    if (s.marker >= 0xC0 && s.marker <= 0xC2 && s.data.size() >= 5)
      return {s.data[3] << 8 | s.data[4], s.data[1] << 8 | s.data[2]};
  return {};
}

TEST(JpegRealFiles, EveryTestdataJpegDecodesLikeTheCodecAtItsSize) {
  const std::vector<std::string> files = TestdataJpegs();
  if (files.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    const std::vector<uint8_t> bytes = ReadBytes(path);
    const FrameSize size = SofSize(bytes);
    Cimage picture;
    ASSERT_TRUE(LoadJpegFile(picture, path));
    ASSERT_FALSE(picture.m_loadError);
    EXPECT_EQ(picture.m_width, size.width);
    EXPECT_EQ(picture.m_height, size.height);
    const ReferencePicture reference = DecodeReferenceJpeg(bytes);
    EXPECT_EQ(picture.m_components, reference.components);
    for (int y = 0; y < reference.height; y += 37)
      for (int x = 0; x < reference.width; x += 13) {
        const uint8_t* got = picture.m_pixels + size_t(y) * picture.m_stride + 3 * x;
        const uint8_t* want = reference.samples.data() + (size_t(y) * reference.width + x) * reference.components;
        const int last = reference.components - 1;
        ASSERT_EQ(got[2], want[0]) << x << "," << y;
        ASSERT_EQ(got[0], want[last]) << x << "," << y;
      }
  }
}

TEST(JpegRealFiles, ThumbnailLoadsOfLargeTestdataAreEighthSize) {
  const std::vector<std::string> files = FilesIn("/usr/share/libjxl-testdata/jxl/flower", kJpegExtensions);
  if (files.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  for (const std::string& path : files) {
    const FrameSize size = SofSize(ReadBytes(path));
    if (size.width < 4 * 240) continue;  // a quarter would already fit 1.5 times a 160 box
    Cimage picture;
    LoadJpegFile(picture, path, 160, 160, 1);
    ASSERT_FALSE(picture.m_loadError) << path;
    EXPECT_EQ(picture.m_scaleDen, 8) << path;
    EXPECT_EQ(picture.m_width, (size.width + 7) / 8) << path;
    EXPECT_EQ(picture.m_height, (size.height + 7) / 8) << path;
  }
}

// Broken, fuzzed and odd files: each either decodes to a sane picture or is a load error;
// nothing crashes, nothing is printed, and the sanitizers see no fault.
TEST(JpegRealFiles, BrokenAndFuzzedFilesDecodeOrFailCleanly) {
  const std::string root = "/usr/libexec/installed-tests/gdk-pixbuf";
  std::vector<std::string> files = FilesIn(root, kJpegExtensions);
  for (const char* folder : {"/test-images/fail", "/test-images/randomly-modified", "/test-images/reftests"})
    for (const std::string& f : FilesIn(root + folder, kJpegExtensions)) files.push_back(f);
  if (files.empty()) SKIP_OR_FAIL_MISSING("gdk-pixbuf-tests is not installed");
  int decoded = 0, refused = 0;
  for (const std::string& path : files)
    for (int mode : {5, 1}) {
      Cimage picture;
      ::testing::internal::CaptureStderr();
      ASSERT_TRUE(LoadJpegFile(picture, path, 160, 160, mode));
      EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << path;
      if (picture.m_loadError) {
        ++refused;
        continue;
      }
      ++decoded;
      EXPECT_TRUE(picture.m_pixels) << path;
      EXPECT_TRUE(ravelight::IsSanePictureSize(picture.m_width, picture.m_height)) << path;
      EXPECT_EQ(picture.m_stride, ravelight::RowStride(picture.m_width)) << path;
    }
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
