// The thumbnail-cache stream: one open file per process, thumbnails written and read in place.
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "test_files.h"

namespace {

class ThumbnailCacheStream : public ::testing::Test {
 protected:
  void TearDown() override { Cimage::CloseTNC(); }
};

std::string CacheFile(const std::string& name, const std::vector<uint8_t>& bytes = {}) {
  const std::string path = TempPath(name);
  WriteBytes(path, bytes);
  return path;
}

TEST_F(ThumbnailCacheStream, OpeningReplacesWhateverWasOpen) {
  const std::string first = CacheFile("first.tnc", {'A'});
  const std::string second = CacheFile("second.tnc", {'B'});
  ASSERT_EQ(Cimage::OpenTNC(first.c_str(), "rb"), 1);
  ASSERT_EQ(Cimage::OpenTNC(second.c_str(), "rb"), 1);
  char c = 0;
  EXPECT_EQ(Cimage::ReadTNC(&c, 1, 1), 1u);
  EXPECT_EQ(c, 'B');
  // A failed open leaves nothing open, not the file before it.
  EXPECT_EQ(Cimage::OpenTNC(TempPath("missing.tnc").c_str(), "rb"), 0);
  EXPECT_EQ(Cimage::ReadTNC(&c, 1, 1), 0u);
}

TEST_F(ThumbnailCacheStream, CallsOnAClosedStreamFailCleanly) {
  Cimage::CloseTNC();
  char buffer[4] = {};
  EXPECT_EQ(Cimage::SeekTNC(0, SEEK_SET), -1);
  EXPECT_EQ(Cimage::TellTNC(), -1L);
  EXPECT_EQ(Cimage::ReadTNC(buffer, 1, 4), 0u);
  EXPECT_EQ(Cimage::WriteTNC(buffer, 1, 4), 0u);
  Cimage picture;
  picture.LoadTNC(160);
  EXPECT_EQ(picture.m_loadError, 1);
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(8, 8, 3)));
  picture.SaveTNC(75);
  EXPECT_EQ(picture.m_saveError, 1);
  EXPECT_TRUE(picture.m_pixels);
}

TEST_F(ThumbnailCacheStream, ThumbnailsAreWrittenInPlaceWithoutExifAndReadBack) {
  const std::vector<uint8_t> exif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0};
  Cimage first, second;
  LoadJpegBytes(first, EncodeReferenceJpeg(GradientPicture(640, 480, 3), 90, {{0xE1, exif}}));
  LoadJpegBytes(second, EncodeReferenceJpeg(GradientPicture(90, 160, 1), 90));
  ASSERT_TRUE(first.m_exif);

  const std::string path = CacheFile("cache.tnc");
  ASSERT_EQ(Cimage::OpenTNC(path.c_str(), "wb"), 1);
  const char header[12] = "vireldan-ok";
  ASSERT_EQ(Cimage::WriteTNC(header, 1, sizeof header), sizeof header);
  const long firstAt = Cimage::TellTNC();
  first.SaveTNC(75);
  const long secondAt = Cimage::TellTNC();
  second.SaveTNC(75);
  const long end = Cimage::TellTNC();
  Cimage::CloseTNC();
  EXPECT_FALSE(first.m_saveError);
  EXPECT_FALSE(first.m_exif);
  EXPECT_EQ(first.m_exifSize, 0u);

  // Each thumbnail ends exactly where the next begins, with its end-of-image marker.
  const std::vector<uint8_t> file = ReadBytes(path);
  ASSERT_EQ(long(file.size()), end);
  const std::vector<uint8_t> firstJpeg(file.begin() + firstAt, file.begin() + secondAt);
  EXPECT_EQ(firstJpeg[0], 0xFF);
  EXPECT_EQ(firstJpeg[1], 0xD8);
  EXPECT_EQ(firstJpeg[firstJpeg.size() - 2], 0xFF);
  EXPECT_EQ(firstJpeg.back(), 0xD9);
  for (const JpegSegment& s : JpegHeaderSegments(firstJpeg)) EXPECT_NE(s.marker, 0xE1);

  ASSERT_EQ(Cimage::OpenTNC(path.c_str(), "rb"), 1);
  ASSERT_EQ(Cimage::SeekTNC(secondAt, SEEK_SET), 0);
  Cimage thumbnail;
  thumbnail.LoadTNC(160);
  EXPECT_FALSE(thumbnail.m_loadError);
  EXPECT_EQ(thumbnail.m_width, 90);  // already within 1.5 times the box: no reduction
  EXPECT_EQ(thumbnail.m_components, 1);
  ASSERT_EQ(Cimage::SeekTNC(firstAt, SEEK_SET), 0);
  thumbnail.LoadTNC(160);
  EXPECT_FALSE(thumbnail.m_loadError);
  EXPECT_EQ(thumbnail.m_width, 160);  // 640 wide reduced by DCT scaling to 1/4, no resampling
  EXPECT_EQ(thumbnail.m_height, 120);
  EXPECT_EQ(thumbnail.m_scaleDen, 4);
  EXPECT_TRUE(thumbnail.m_bmi);
  EXPECT_FALSE(thumbnail.m_exif);
}

TEST_F(ThumbnailCacheStream, ABrokenEntryIsALoadError) {
  const std::string path = CacheFile("broken.tnc", {0xFF, 0xD8, 0xFF, 0xC0, 0, 2, 'x', 'y'});
  ASSERT_EQ(Cimage::OpenTNC(path.c_str(), "rb"), 1);
  Cimage picture;
  picture.LoadTNC(160);
  EXPECT_EQ(picture.m_loadError, 1);
}

}  // namespace
