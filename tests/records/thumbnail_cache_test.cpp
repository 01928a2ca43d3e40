// The thumbnail cache of a folder: the bytes it writes, finding thumbnails again, and the states
// in which it must not write.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "tnc_test_support.h"

namespace {

using ThumbnailCacheFile = TncFolderTest;

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
  return std::vector<uint8_t>(bytes.begin() + long(from), bytes.begin() + long(from + count));
}

TEST_F(ThumbnailCacheFile, ANewCacheStartsWithItsHeaderAndFirstEntryAtTwelve) {
  const TncRequest file = MakeImage("beach.jpg", 5000);
  Use(120);
  EXPECT_EQ(cache_.Info().status, TncStatus::kNoFile);
  ASSERT_TRUE(AddThumbnail(file, 120, 120, 90));
  EXPECT_EQ(cache_.Info().status, TncStatus::kNewFile);
  cache_.Close();

  const std::vector<uint8_t> bytes = CacheBytes();
  ASSERT_GT(bytes.size(), 308u);
  EXPECT_EQ(Slice(bytes, 0, 12), (std::vector<uint8_t>{0xCF, 0x07, 0, 0, 0, 0, 0, 0, 0x0C, 0, 0, 0}));
  EXPECT_EQ(LittleEndian(bytes, 12, 4), 0u);       // link
  EXPECT_EQ(LittleEndian(bytes, 16, 4), 0u);       // data offset, as the viewer writes it
  EXPECT_EQ(LittleEndian(bytes, 20, 4), 0u);       // next: the last entry
  EXPECT_EQ(LittleEndian(bytes, 24, 4), 4u);       // 5000 bytes >> 10
  EXPECT_EQ(LittleEndian(bytes, 28, 4), file.lastWrite.dwLowDateTime);
  EXPECT_EQ(LittleEndian(bytes, 32, 4), file.lastWrite.dwHighDateTime);
  EXPECT_EQ(LittleEndian(bytes, 36, 4), 120u);     // edge
  EXPECT_EQ(LittleEndian(bytes, 40, 4), 900u);     // full height
  EXPECT_EQ(LittleEndian(bytes, 44, 4), 1200u);    // full width
  std::vector<uint8_t> name(260, 0);
  std::memcpy(name.data(), "beach.jpg", 9);
  EXPECT_EQ(Slice(bytes, 48, 260), name);
  EXPECT_EQ(Slice(bytes, 308, 2), (std::vector<uint8_t>{0xFF, 0xD8}));
  EXPECT_EQ(Slice(bytes, bytes.size() - 2, 2), (std::vector<uint8_t>{0xFF, 0xD9}));
}

TEST_F(ThumbnailCacheFile, TheSecondAppendGoesToTheEndAndPatchesOnlyTheFirstEntrysLink) {
  const TncRequest first = MakeImage("a.jpg"), second = MakeImage("b.jpg");
  Use();
  ASSERT_TRUE(AddThumbnail(first, 90, 90, 60));
  cache_.Close();
  const std::vector<uint8_t> before = CacheBytes();

  Use();
  ASSERT_TRUE(AddThumbnail(second, 90, 60, 90));
  cache_.Close();
  const std::vector<uint8_t> after = CacheBytes();
  ASSERT_GT(after.size(), before.size() + kTncEntrySize);
  EXPECT_EQ(LittleEndian(after, 20, 4), before.size());
  std::vector<uint8_t> expected = before;
  expected[20] = after[20], expected[21] = after[21], expected[22] = after[22], expected[23] = after[23];
  EXPECT_EQ(Slice(after, 0, before.size()), expected);
  EXPECT_EQ(LittleEndian(after, before.size() + 8, 4), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&after[before.size() + 36])), "b.jpg");
}

TEST_F(ThumbnailCacheFile, ThumbnailsComeBackFittedWithTheFullImagesSize) {
  const TncRequest file = MakeImage("tall.jpg");
  Use(90);
  ASSERT_TRUE(AddThumbnail(file, 90, 60, 90));
  cache_.Close();

  Use(60);
  Cimage found;
  ASSERT_TRUE(cache_.Load(file, 60, found));
  EXPECT_EQ(found.m_width, 40);
  EXPECT_EQ(found.m_height, 60);
  EXPECT_EQ(found.m_origWidth, 600);
  EXPECT_EQ(found.m_origHeight, 900);
  EXPECT_EQ(cache_.Info().hits, 1);
  EXPECT_EQ(cache_.Info().entries, 1);
  EXPECT_EQ(cache_.Info().sameEdge, 0);  // made for 90, asked for at 60
  EXPECT_EQ(cache_.Info().status, TncStatus::kNormal);
  EXPECT_FALSE(cache_.Load(RequestFor("missing.jpg"), 60, found));
}

TEST_F(ThumbnailCacheFile, TheNewestOfSeveralMatchingEntriesWins) {
  const TncRequest file = MakeImage("twice.jpg");
  TncTestEntry old = EntryFor(file), newer = EntryFor(file);
  old.imageWidth = 1;
  newer.imageWidth = 2;
  PutFileBytes(CachePath(), TncFileBytes({old, newer}));
  Use();
  Cimage found;
  ASSERT_TRUE(cache_.Load(file, 90, found));
  EXPECT_EQ(found.m_origWidth, 2);
}

TEST_F(ThumbnailCacheFile, AnEmptyChainIsLinkedFromTheHeader) {
  PutFileBytes(CachePath(), TncFileBytes({}));
  const TncRequest file = MakeImage("first.jpg");
  Use();
  ASSERT_TRUE(AddThumbnail(file));
  cache_.Close();
  const std::vector<uint8_t> bytes = CacheBytes();
  EXPECT_EQ(LittleEndian(bytes, 0, 8), 1999u);
  EXPECT_EQ(LittleEndian(bytes, 8, 4), 12u);
}

// Earlier versions forgot the file but remembered the folder on closing, and the next thumbnail
// in that folder recreated the file, throwing away every entry in it.
TEST_F(ThumbnailCacheFile, ClosingNeverLeadsToATruncatedCache) {
  const TncRequest a = MakeImage("a.jpg"), b = MakeImage("b.jpg");
  Use();
  ASSERT_TRUE(AddThumbnail(a));
  cache_.Close();
  EXPECT_FALSE(AddThumbnail(b)) << "no folder is current after closing";
  Use();
  ASSERT_TRUE(AddThumbnail(b));
  cache_.Close();
  Use();
  EXPECT_TRUE(Finds(a));
  EXPECT_TRUE(Finds(b));
}

TEST_F(ThumbnailCacheFile, ACacheThatAppearedMeanwhileIsNeverOverwritten) {
  const TncRequest file = MakeImage("a.jpg");
  Use();
  ASSERT_EQ(cache_.Info().status, TncStatus::kNoFile);
  const std::vector<uint8_t> theirs = TncFileBytes({EntryFor(MakeImage("theirs.jpg"))});
  PutFileBytes(CachePath(), theirs);
  EXPECT_FALSE(AddThumbnail(file));
  EXPECT_EQ(cache_.Info().status, TncStatus::kError);
  EXPECT_EQ(CacheBytes(), theirs);
  EXPECT_FALSE(AddThumbnail(file)) << "no more writes in this folder";
}

TEST_F(ThumbnailCacheFile, DisablingForgetsTheFolderSoThatThumbnailsNeverGoToAnotherFoldersCache) {
  const TncRequest file = MakeImage("a.jpg");
  Use();
  ASSERT_TRUE(AddThumbnail(file));
  options_.cacheMode = kTncDisabled;
  Use();
  EXPECT_EQ(cache_.Info().status, TncStatus::kDisabled);
  EXPECT_FALSE(cache_.IsOpen());
  EXPECT_FALSE(AddThumbnail(file));
  EXPECT_FALSE(Finds(file));

  options_.cacheMode = kTncAutomatic;
  Use();
  EXPECT_TRUE(cache_.IsOpen());
  EXPECT_TRUE(Finds(file));
}

TEST_F(ThumbnailCacheFile, OnlyThumbnailsThatCanBeFoundAgainAreAdded) {
  Use();
  Cimage empty;
  const TncRequest longest = MakeImage(std::string(75, 'n') + ".jpg");  // 79 bytes
  const TncRequest tooLong = MakeImage(std::string(76, 'n') + ".jpg");  // 80 bytes
  EXPECT_TRUE(AddThumbnail(longest));
  EXPECT_FALSE(AddThumbnail(tooLong));
  EXPECT_FALSE(cache_.Add(MakeImage("empty.jpg"), 90, empty));
  Cimage failed;
  MakeThumbnail(failed, 30, 30);
  failed.m_loadError = 1;
  EXPECT_FALSE(cache_.Add(MakeImage("failed.jpg"), 90, failed));
  EXPECT_EQ(cache_.Info().entries, 1);
  EXPECT_TRUE(Finds(longest));
}

TEST_F(ThumbnailCacheFile, TheLimitStopsAddingPastAThousandEntries) {
  std::vector<TncTestEntry> entries(1001);
  for (size_t i = 0; i < entries.size(); ++i) entries[i].name = "f" + std::to_string(i) + ".jpg";
  PutFileBytes(CachePath(), TncFileBytes(entries));
  const TncRequest file = MakeImage("one-more.jpg");
  Use();
  EXPECT_FALSE(AddThumbnail(file));
  cache_.Close();
  options_.limit = false;
  Use();
  EXPECT_TRUE(AddThumbnail(file));
  EXPECT_EQ(cache_.Info().entries, 1002);
}

// The first luminance quantiser of a baseline JPEG scales 16 by the quality.
TEST_F(ThumbnailCacheFile, CacheQualityChoosesTheJpegQuality) {
  const struct {
    int cacheQuality;
    uint8_t firstQuantiser;  // qualities 70, 78 and 88
  } cases[] = {{0, 10}, {1, 7}, {2, 4}, {5, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cacheQuality);
    cache_.Close();
    std::remove(CachePath().c_str());
    options_.cacheQuality = c.cacheQuality;
    Use();
    ASSERT_TRUE(AddThumbnail(MakeImage("q.jpg"), 90, 16, 16));
    cache_.Close();
    const std::vector<uint8_t> bytes = CacheBytes();
    size_t dqt = 308;
    while (dqt + 5 < bytes.size() && !(bytes[dqt] == 0xFF && bytes[dqt + 1] == 0xDB)) ++dqt;
    ASSERT_LT(dqt + 5, bytes.size());
    EXPECT_EQ(bytes[dqt + 4], 0);  // table 0, 8-bit
    EXPECT_EQ(bytes[dqt + 5], c.firstQuantiser);
  }
}

TEST_F(ThumbnailCacheFile, AThumbnailThatCannotBeDecodedIsAMissAndItsEntryIsBlanked) {
  const TncRequest file = MakeImage("broken.jpg");
  TncTestEntry entry = EntryFor(file);
  entry.jpeg.assign(200, 0x5A);
  PutFileBytes(CachePath(), TncFileBytes({entry}));
  Use();
  EXPECT_FALSE(Finds(file));
  EXPECT_EQ(cache_.Info().hits, 0);
  EXPECT_FALSE(Finds(file));
  cache_.Close();
  const std::vector<uint8_t> bytes = CacheBytes();
  EXPECT_EQ(bytes[12 + 36], 0) << "name blanked";
  EXPECT_EQ(LittleEndian(bytes, 12 + 16, 4), 0xFFFFFFFFu);
  EXPECT_EQ(LittleEndian(bytes, 12 + 20, 4), 0u);
  EXPECT_EQ(LittleEndian(bytes, 6, 2), 1u) << "counted stale once";
  EXPECT_EQ(LittleEndian(bytes, 12 + 8, 4), 0u);
}

TEST_F(ThumbnailCacheFile, TheStaleCountSaturatesAndIsWrittenOnlyWhenItChanged) {
  const TncRequest file = MakeImage("a.jpg");
  TncTestEntry entry = EntryFor(file);
  PutFileBytes(CachePath(), TncFileBytes({entry}, kTncVersion, 0, int16_t(-5)));
  Use();
  cache_.NoteStale(32000);
  cache_.NoteStale(32000);
  cache_.Close();
  EXPECT_EQ(LittleEndian(CacheBytes(), 6, 2), 32767u);

  const std::vector<uint8_t> before = CacheBytes();
  Use();
  EXPECT_TRUE(Finds(file));
  cache_.Close();
  EXPECT_EQ(CacheBytes(), before);
}

TEST_F(ThumbnailCacheFile, LockingWritesTheLockAndStaleCountAndAddsNothingWhileLocked) {
  const TncRequest a = MakeImage("a.jpg"), b = MakeImage("b.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a)}));
  Use();
  cache_.NoteStale(3);
  EXPECT_TRUE(cache_.ToggleLock());
  EXPECT_EQ(cache_.Info().status, TncStatus::kLocked);
  EXPECT_FALSE(AddThumbnail(b));
  cache_.Close();
  std::vector<uint8_t> bytes = CacheBytes();
  EXPECT_EQ(Slice(bytes, 4, 4), (std::vector<uint8_t>{1, 0, 3, 0}));

  Use();
  EXPECT_TRUE(cache_.IsLocked());
  EXPECT_FALSE(cache_.ToggleLock());
  EXPECT_EQ(cache_.Info().status, TncStatus::kNormal);
  EXPECT_TRUE(AddThumbnail(b));
  cache_.Close();
  EXPECT_EQ(Slice(CacheBytes(), 4, 4), (std::vector<uint8_t>{0, 0, 3, 0}));
}

// Everything that could change a locked cache, and that nothing did.
TEST_F(ThumbnailCacheFile, ALockedCacheIsNeverRewritten) {
  const TncRequest a = MakeImage("a.jpg"), gone = MakeImage("gone.jpg");
  TncTestEntry broken = EntryFor(MakeImage("broken.jpg"));
  broken.jpeg.assign(100, 0);
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a), EntryFor(gone), broken}, kTncVersion, 1, 0));
  std::remove((Folder() + platform::kPathSeparator + "gone.jpg").c_str());
  const std::vector<uint8_t> before = CacheBytes();
  options_.deferSqueeze = false;
  Use();
  EXPECT_EQ(cache_.Info().status, TncStatus::kLocked);
  EXPECT_TRUE(Finds(a));
  EXPECT_FALSE(Finds(RequestFor("broken.jpg")));
  TryEveryChange(a);
  EXPECT_EQ(CacheBytes(), before);
}

TEST_F(ThumbnailCacheFile, AReadOnlyCacheIsReadButNeitherWrittenNorDeleted) {
  const TncRequest a = MakeImage("a.jpg");
  TncTestEntry broken = EntryFor(MakeImage("broken.jpg"));
  broken.jpeg.assign(100, 0);
  std::vector<uint8_t> bytes = TncFileBytes({EntryFor(a), broken});
  bytes.resize(bytes.size() - 10);  // and a chain that breaks
  bytes[12 + 8] = 0xFF;
  PutFileBytes(CachePath(), bytes);
  options_.cacheMode = kTncReadOnly;
  options_.deferSqueeze = false;
  Use();
  EXPECT_EQ(cache_.Info().status, TncStatus::kNormal);
  EXPECT_TRUE(Finds(a));
  EXPECT_FALSE(cache_.ToggleLock());
  TryEveryChange(a);
  EXPECT_EQ(CacheBytes(), bytes);
}

TEST_F(ThumbnailCacheFile, SwitchingToReadOnlyStopsTheWritesOfACacheAlreadyOpen) {
  const TncRequest a = MakeImage("a.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a), EntryFor(MakeImage("b.jpg"))}));
  const std::vector<uint8_t> before = CacheBytes();
  Use();
  options_.cacheMode = kTncReadOnly;
  cache_.SetOptions(options_);
  EXPECT_FALSE(cache_.ToggleLock());
  TryEveryChange(a);
  EXPECT_EQ(CacheBytes(), before);
}

TEST_F(ThumbnailCacheFile, DeletingClosesAndRemovesTheCacheAndTheNextThumbnailStartsANewOne) {
  const TncRequest a = MakeImage("a.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a)}));
  Use();
  EXPECT_TRUE(cache_.Delete());
  EXPECT_FALSE(platform::FileExists(CachePath()));
  EXPECT_EQ(cache_.Info().status, TncStatus::kNoFile);
  EXPECT_EQ(cache_.Info().fileSizeKB, 0);
  Use();
  EXPECT_TRUE(AddThumbnail(a));
  EXPECT_EQ(cache_.Info().status, TncStatus::kNewFile);
}

TEST_F(ThumbnailCacheFile, AnOldLayoutFileIsMatchedAndExtendedByCreationTimes) {
  TncRequest file = MakeImage("old.jpg");
  file.creation = FILETIME{1234, 5678};
  TncTestEntry entry = EntryFor(file);
  entry.time = file.creation;
  PutFileBytes(CachePath(), TncFileBytes({entry}, kTncOldVersion));
  Use();
  EXPECT_TRUE(Finds(file));
  TncRequest other = MakeImage("other.jpg");
  other.creation = FILETIME{42, 43};
  ASSERT_TRUE(AddThumbnail(other));
  cache_.Close();
  const std::vector<uint8_t> bytes = CacheBytes();
  const size_t second = LittleEndian(bytes, 12 + 8, 4);
  EXPECT_EQ(LittleEndian(bytes, second + 16, 4), 42u);
  EXPECT_EQ(LittleEndian(bytes, second + 20, 4), 43u);
}

}  // namespace
