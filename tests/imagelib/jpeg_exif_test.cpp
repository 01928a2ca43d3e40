// The EXIF segment: captured while decoding, written back first when saving, read on its own.
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "test_files.h"
#include "missing_files.h"

namespace {

const std::vector<uint8_t> kExif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kXmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'x', 'm', 'p', 0, '<', '/', '>'};

// The segment as the picture keeps it: two big-endian length bytes, then the data.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> block = {uint8_t((data.size() + 2) >> 8), uint8_t(data.size() + 2)};
  block.insert(block.end(), data.begin(), data.end());
  return block;
}

std::vector<uint8_t> Held(const Cimage& picture) {
  return picture.m_exif ? std::vector<uint8_t>(picture.m_exif, picture.m_exif + picture.m_exifSize)
                        : std::vector<uint8_t>();
}

std::vector<uint8_t> JpegWith(const std::vector<ExtraSegment>& segments) {
  return EncodeReferenceJpeg(GradientPicture(24, 16, 3), 90, segments);
}

class JpegExif : public ::testing::Test {
 protected:
  void SetUp() override { keep_ = Cimage::S_keep_exifinfo; }
  void TearDown() override { Cimage::S_keep_exifinfo = keep_; }

 private:
  int keep_ = 0;
};

TEST_F(JpegExif, TheSegmentIsCapturedWithItsLengthBytes) {
  Cimage picture;
  LoadJpegBytes(picture, JpegWith({{0xE1, kExif}}));
  ASSERT_FALSE(picture.m_loadError);
  EXPECT_EQ(Held(picture), Stored(kExif));
  EXPECT_EQ(picture.EXIFGetBufferSize(), kExif.size() + 2);
}

TEST_F(JpegExif, TheCameraSegmentWinsOverOtherApp1Segments) {
  const struct {
    std::vector<ExtraSegment> segments;
    std::vector<uint8_t> kept;
  } cases[] = {
      {{{0xE1, kExif}, {0xE1, kXmp}}, kExif},  // XMP after EXIF must not wipe the camera data
      {{{0xE1, kXmp}, {0xE1, kExif}}, kExif},
      {{{0xE1, kXmp}}, kXmp},
      {{{0xE1, kExif}, {0xE1, {'E', 'x', 'i', 'f', 0, 0, 'M', 'M'}}}, kExif},
  };
  for (const auto& c : cases) {
    Cimage picture;
    LoadJpegBytes(picture, JpegWith(c.segments));
    EXPECT_EQ(Held(picture), Stored(c.kept));
  }
}

TEST_F(JpegExif, RealFileWithExifAndXmpKeepsTheExif) {
  const std::string path = SystemPath("/usr/share/libjxl-testdata/jxl/jpeg_reconstruction/1x1_exif_xmp.jpg");
  Cimage picture;
  if (!LoadJpegFile(picture, path)) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  ASSERT_FALSE(picture.m_loadError);
  ASSERT_EQ(picture.m_exifSize, 268u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(picture.m_exif) + 2, 4), "Exif");
}

TEST_F(JpegExif, SavedFileStartsWithTheExifSegmentThenJfif) {
  Cimage::S_keep_exifinfo = 1;
  Cimage picture;
  LoadJpegBytes(picture, JpegWith({{0xE1, kExif}}));
  const std::vector<uint8_t> saved = SaveJpegBytes(picture, 90);
  ASSERT_FALSE(picture.m_saveError);
  ASSERT_GT(saved.size(), 4u);
  EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.begin() + 4), (std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE1}));
  const std::vector<JpegSegment> segments = JpegHeaderSegments(saved);
  ASSERT_GE(segments.size(), 2u);
  EXPECT_EQ(segments[0].marker, 0xE1);
  EXPECT_EQ(segments[0].data, kExif);
  EXPECT_EQ(segments[1].marker, 0xE0);
  EXPECT_EQ(std::string(segments[1].data.begin(), segments[1].data.begin() + 5), std::string("JFIF\0", 5));
  for (size_t i = 2; i < segments.size(); ++i) EXPECT_NE(segments[i].marker, 0xE0);

  Cimage reloaded;
  LoadJpegBytes(reloaded, saved);
  EXPECT_EQ(Held(reloaded), Stored(kExif));
}

TEST_F(JpegExif, KeepExifOffDropsItFromTheFileAndFromThePicture) {
  Cimage::S_keep_exifinfo = 0;
  Cimage picture;
  LoadJpegBytes(picture, JpegWith({{0xE1, kExif}}));
  const std::vector<uint8_t> saved = SaveJpegBytes(picture, 90);
  EXPECT_EQ(JpegHeaderSegments(saved).at(0).marker, 0xE0);
  for (const JpegSegment& s : JpegHeaderSegments(saved)) EXPECT_NE(s.marker, 0xE1);
  EXPECT_FALSE(picture.m_exif);
  EXPECT_EQ(picture.m_exifSize, 0u);
}

TEST_F(JpegExif, ABadSegmentLengthIsCorruptData) {
  const std::vector<uint8_t> good = JpegWith({});
  for (const std::vector<uint8_t>& bad : {std::vector<uint8_t>{0xFF, 0xE1, 0x00, 0x00},
                                          std::vector<uint8_t>{0xFF, 0xE1, 0x00, 0x01}}) {
    std::vector<uint8_t> file(good.begin(), good.begin() + 2);
    file.insert(file.end(), bad.begin(), bad.end());
    file.insert(file.end(), good.begin() + 2, good.end());
    Cimage picture;
    ::testing::internal::CaptureStderr();
    LoadJpegBytes(picture, file);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(picture.m_loadError, 1);
    EXPECT_FALSE(picture.m_exif);
  }
}

TEST_F(JpegExif, ASegmentRunningPastTheEndOfTheFileFailsCleanly) {
  std::vector<uint8_t> file = {0xFF, 0xD8, 0xFF, 0xE1, 0xEA, 0x60, 'E', 'x', 'i', 'f', 0, 0};
  Cimage picture;
  LoadJpegBytes(picture, file);
  EXPECT_EQ(picture.m_loadError, 1);
}

TEST_F(JpegExif, HeaderOnlyReadGivesTheSegmentAndTheSizeWithoutPixels) {
  const std::string path = TempPath("exif-only.jpg");
  WriteBytes(path, EncodeReferenceJpeg(GradientPicture(300, 200, 3), 90, {{0xE1, kExif}}));
  Cimage picture;
  EXPECT_EQ(picture.EXIFLoadBuffer(path.c_str()), 1);
  EXPECT_EQ(Held(picture), Stored(kExif));
  EXPECT_EQ(picture.m_origWidth, 300);
  EXPECT_EQ(picture.m_origHeight, 200);
  EXPECT_FALSE(picture.m_pixels);

  EXPECT_EQ(picture.EXIFLoadBuffer(TempPath("missing.jpg").c_str()), 0);
  EXPECT_FALSE(picture.m_exif);

  const std::string garbage = TempPath("garbage.jpg");
  WriteBytes(garbage, {'G', 'I', 'F', '8', '9', 'a'});
  EXPECT_EQ(picture.EXIFLoadBuffer(garbage.c_str()), 0);
  EXPECT_EQ(picture.m_loadError, 1);
}

}  // namespace
