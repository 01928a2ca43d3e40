// How the loader makes one thumbnail: from the cache when it holds one, else decoded and added
// by the cache-mode and small-file rules; a file that does not decode is still a result; and a
// loader that may not decode answers cache hits only.
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "thumb_item.h"
#include "thumb_job.h"
#include "thumb_test_images.h"
#include "tnc_test_support.h"

namespace {

constexpr int kEdge = 90;

class ThumbJobTest : public TncFolderTest {
 protected:
  // A picture file in the test's folder.
  std::string Picture(const std::string& name, int width = 320, int height = 240, unsigned seed = 1) {
    const std::string path = Folder() + platform::kPathSeparator + name;
    EXPECT_TRUE(WritePatternPicture(path, width, height, seed));
    return name;
  }
  ThumbJob JobFor(const std::string& name, int edge = kEdge) const {
    ThumbJob job;
    job.folder = Folder();
    job.file = RequestFor(name);
    job.id = 7;
    job.edge = edge;
    job.options = options_;
    job.cacheSmallFiles = cacheSmallFiles_;
    return job;
  }
  ThumbOutcome Thumb(const std::string& name, Cimage& image, bool mayDecode = true) {
    return MakeThumbnail(cache_, JobFor(name), mayDecode, image);
  }
  bool CacheHolds(const std::string& name) {
    Use();
    return Finds(RequestFor(name));
  }

  bool cacheSmallFiles_ = false;
  DecodeCounter decodes_;
};

TEST_F(ThumbJobTest, ADecodedThumbnailIsCachedAndTheNextRequestReadsItBack) {
  const std::string name = Picture("photo.jpg", 400, 300);
  Cimage first, second;
  EXPECT_EQ(Thumb(name, first), ThumbOutcome::kDecoded);
  EXPECT_EQ(decodes_.Count(), 1);
  EXPECT_FALSE(first.m_loadError);
  EXPECT_EQ(first.m_width, kEdge);
  EXPECT_EQ(first.m_height, kEdge * 3 / 4);

  EXPECT_EQ(Thumb(name, second), ThumbOutcome::kFromCache);
  EXPECT_EQ(decodes_.Count(), 1);
  EXPECT_EQ(second.m_width, first.m_width);
  EXPECT_EQ(second.m_height, first.m_height);
  EXPECT_EQ(second.m_origWidth, 400);
  EXPECT_EQ(second.m_origHeight, 300);
  EXPECT_EQ(cache_.Info().hits, 1);
}

TEST_F(ThumbJobTest, SmallFilesAreCachedOnlyWithDoSmall) {
  struct Case {
    bool doSmall;
    int width;
    bool cached;
  };
  const Case cases[] = {{false, 8, false}, {true, 8, true}, {false, 400, true}, {true, 400, true}};
  int n = 0;
  for (const Case& c : cases) {
    const std::string name = Picture("p" + std::to_string(n++) + ".png", c.width, c.width, 3);
    cacheSmallFiles_ = c.doSmall;
    Cimage image;
    EXPECT_EQ(Thumb(name, image), ThumbOutcome::kDecoded);
    cache_.Close();
    EXPECT_EQ(CacheHolds(name), c.cached) << name << " dosmall " << c.doSmall;
    cache_.Close();
  }
}

TEST_F(ThumbJobTest, OnlyTheAutomaticCacheModeAddsThumbnails) {
  const std::string name = Picture("photo.jpg");
  for (const int mode : {kTncReadOnly, kTncDisabled}) {
    options_.cacheMode = mode;
    Cimage image;
    EXPECT_EQ(Thumb(name, image), ThumbOutcome::kDecoded) << mode;
    EXPECT_FALSE(image.m_loadError);
    EXPECT_FALSE(platform::FileExists(CachePath())) << mode;
  }
}

TEST_F(ThumbJobTest, WhileTheCacheIsDisabledAnOpenCacheFileIsNeitherReadNorChanged) {
  const std::string name = Picture("photo.jpg");
  Cimage image;
  ASSERT_EQ(Thumb(name, image), ThumbOutcome::kDecoded);
  cache_.Close();
  const std::vector<uint8_t> before = CacheBytes();
  options_.cacheMode = kTncDisabled;
  EXPECT_EQ(Thumb(name, image), ThumbOutcome::kDecoded);
  EXPECT_EQ(Thumb(Picture("other.jpg", 200, 200, 2), image), ThumbOutcome::kDecoded);
  EXPECT_EQ(decodes_.Count(), 3);
  EXPECT_EQ(CacheBytes(), before);
}

TEST_F(ThumbJobTest, FilesThatDoNotDecodeAreResultsWithTheirFlagsAndAreNotCached) {
  Make("text.jpg", "this is a letter, not a picture, but long enough to be decoded and refused" + std::string(6000, '.'));
  const std::string whole = Folder() + platform::kPathSeparator + Picture("whole.jpg", 640, 480);
  ASSERT_TRUE(WriteTruncatedCopy(whole, Folder() + platform::kPathSeparator + "cut.jpg", 200));
  for (const char* name : {"text.jpg", "cut.jpg"}) {
    Cimage image;
    EXPECT_EQ(Thumb(name, image), ThumbOutcome::kDecoded) << name;
    EXPECT_TRUE(image.m_loadError) << name;
    EXPECT_FALSE(image.m_unknownExt) << name;
    cache_.Close();
    EXPECT_FALSE(CacheHolds(name)) << name;
    cache_.Close();
  }
}

TEST_F(ThumbJobTest, WithoutDecodingOnlyCacheHitsAreMade) {
  const std::string cached = Picture("cached.jpg"), other = Picture("other.jpg", 300, 200, 5);
  Cimage image;
  ASSERT_EQ(Thumb(cached, image), ThumbOutcome::kDecoded);
  decodes_.Reset();
  EXPECT_EQ(Thumb(cached, image, false), ThumbOutcome::kFromCache);
  EXPECT_TRUE(image.m_pixels != nullptr);
  EXPECT_EQ(Thumb(other, image, false), ThumbOutcome::kDiscarded);
  EXPECT_TRUE(image.m_pixels == nullptr);
  EXPECT_EQ(decodes_.Count(), 0);
}

TEST_F(ThumbJobTest, ALongNameIsDecodedEveryTimeAndNeverAddsAnEntry) {
  const std::string name = Picture(std::string(76, 'n') + ".jpg");
  ASSERT_EQ(name.size(), 80u);
  Cimage image;
  EXPECT_EQ(Thumb(name, image), ThumbOutcome::kDecoded);
  EXPECT_EQ(Thumb(name, image), ThumbOutcome::kDecoded);
  EXPECT_FALSE(image.m_loadError);
  EXPECT_EQ(decodes_.Count(), 2);
  EXPECT_EQ(cache_.Info().entries, 0);
}

TEST(ThumbJobFor, CopiesTheItemAndDropsTheFolderSeparator) {
  CThumbItem item;
  item.name = "a.jpg";
  item.folder = std::string("photos") + platform::kPathSeparator;
  item.sizeKB = 12;
  item.lastWrite = FILETIME{1, 2};
  item.creation = FILETIME{3, 4};
  item.id = 9;
  TncOptions options;
  options.cacheQuality = 2;
  const platform::DriveInfo drive{platform::kDriveRemote, "photos"};
  const ThumbJob job = ThumbJobFor(item, 120, options, drive, true);
  EXPECT_EQ(job.folder, "photos");
  EXPECT_EQ(job.file.name, "a.jpg");
  EXPECT_EQ(job.file.sizeKB, 12);
  EXPECT_EQ(platform::FileTimeTicks(job.file.lastWrite), 0x200000001u);
  EXPECT_EQ(platform::FileTimeTicks(job.file.creation), 0x400000003u);
  EXPECT_EQ(job.id, 9);
  EXPECT_EQ(job.edge, 120);
  EXPECT_EQ(job.options.cacheQuality, 2);
  EXPECT_EQ(job.drive.type, platform::kDriveRemote);
  EXPECT_EQ(job.drive.label, "photos");
  EXPECT_TRUE(job.cacheSmallFiles);
}

}  // namespace
