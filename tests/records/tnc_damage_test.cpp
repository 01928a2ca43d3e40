// Cache files that are broken, truncated or garbage: what was read before the damage is kept,
// a writable cache ends its chain there, and nothing crashes.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "tnc_chain.h"
#include "tnc_test_support.h"

namespace {

std::vector<TncTestEntry> ThreeEntries() {
  std::vector<TncTestEntry> entries(3);
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].name = "e" + std::to_string(i) + ".jpg";
    entries[i].jpeg.assign(100 + 10 * i, uint8_t(i));
  }
  return entries;
}

void SetLink(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(uint32_t(value) >> (8 * i));
}

TncChain Read(const std::vector<uint8_t>& bytes) {
  TncBytes source(bytes.data(), bytes.size());
  TncHeader header;
  if (!ReadTncHeader(source, &header)) return TncChain{{}, true};
  return ReadTncChain(source, header.first);
}

TEST(TncChainReading, AWholeChainIsReadInFileOrderWithItsJpegExtents) {
  const std::vector<TncTestEntry> entries = ThreeEntries();
  const std::vector<uint8_t> bytes = TncFileBytes(entries);
  const TncChain chain = Read(bytes);
  EXPECT_FALSE(chain.broken);
  ASSERT_EQ(chain.entries.size(), 3u);
  const std::vector<int32_t> offsets = TncEntryOffsets(entries);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(chain.entries[i].offset, offsets[i]);
    EXPECT_EQ(TncEntryName(chain.entries[i].entry), entries[i].name);
  }
  EXPECT_EQ(TncJpegEnd(chain, 0, int64_t(bytes.size())), offsets[1]);
  EXPECT_EQ(TncJpegEnd(chain, 2, int64_t(bytes.size())), int64_t(bytes.size()));
}

TEST(TncChainReading, ABadLinkEndsTheChainWithTheEntriesBeforeIt) {
  const std::vector<TncTestEntry> entries = ThreeEntries();
  const std::vector<int32_t> offsets = TncEntryOffsets(entries);
  const std::vector<uint8_t> good = TncFileBytes(entries);
  const struct {
    const char* what;
    size_t linkAt;
    int32_t link;
    size_t kept;
  } cases[] = {
      {"first inside the header", 8, 4, 0},
      {"first negative", 8, -12, 0},
      {"first past the end", 8, int32_t(good.size()), 0},
      {"back to itself", size_t(offsets[0]) + 8, offsets[0], 1},
      {"backwards", size_t(offsets[1]) + 8, offsets[0], 2},
      {"overlapping its predecessor", size_t(offsets[0]) + 8, offsets[0] + 100, 1},
      {"entry cut by the end", size_t(offsets[1]) + 8, int32_t(good.size()) - 200, 2},
      {"far past the end", size_t(offsets[1]) + 8, 0x7FFFFFFF, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes = good;
    SetLink(bytes, c.linkAt, c.link);
    const TncChain chain = Read(bytes);
    EXPECT_TRUE(chain.broken);
    EXPECT_EQ(chain.entries.size(), c.kept);
  }
}

TEST(TncChainReading, HeadersOfOtherVersionsOrTooShortAreNotCaches) {
  std::vector<uint8_t> bytes = TncFileBytes(ThreeEntries());
  TncHeader header;
  for (size_t size = 0; size < kTncHeaderSize; ++size) {
    TncBytes source(bytes.data(), size);
    EXPECT_FALSE(ReadTncHeader(source, &header));
  }
  for (int32_t version : {0, 1998, 2000, -1999}) {
    SetLink(bytes, 0, version);
    TncBytes source(bytes.data(), bytes.size());
    EXPECT_FALSE(ReadTncHeader(source, &header)) << version;
  }
}

TEST(TncChainReading, EveryTruncationKeepsTheWholeEntriesBeforeTheCut) {
  const std::vector<TncTestEntry> entries = ThreeEntries();
  const std::vector<int32_t> offsets = TncEntryOffsets(entries);
  const std::vector<uint8_t> bytes = TncFileBytes(entries);
  for (size_t size = kTncHeaderSize; size <= bytes.size(); ++size) {
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(size));
    size_t whole = 0;
    while (whole < offsets.size() && offsets[whole] + kTncEntrySize <= size) ++whole;
    const TncChain chain = Read(cut);
    ASSERT_EQ(chain.entries.size(), whole) << size;
    EXPECT_EQ(chain.broken, whole < offsets.size()) << size;
  }
}

TEST(TncChainReading, GarbageNeverReadsOutsideTheFileAndEntriesNeverOverlap) {
  std::mt19937 random(8);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> bytes(random() % 4000);
    for (uint8_t& b : bytes) b = uint8_t(random());
    if (bytes.size() >= kTncHeaderSize && round % 2) SetLink(bytes, 0, kTncVersion);
    if (bytes.size() >= kTncHeaderSize && round % 4 == 1) SetLink(bytes, 8, int32_t(random() % bytes.size()));
    const TncChain chain = Read(bytes);
    int64_t earliest = kTncHeaderSize;
    for (const TncEntryAt& e : chain.entries) {
      ASSERT_GE(e.offset, earliest);
      ASSERT_LE(e.offset + int64_t(kTncEntrySize), int64_t(bytes.size()));
      earliest = e.offset + int64_t(kTncEntrySize);
    }
  }
}

TEST(TncChainReading, AChainTooLongForAnyFolderIsCutOff) {
  std::vector<TncTestEntry> entries(kTncMaxEntries + 5);
  const TncChain chain = Read(TncFileBytes(entries));
  EXPECT_EQ(chain.entries.size(), kTncMaxEntries);
  EXPECT_TRUE(chain.broken);
}

class DamagedCacheFile : public TncFolderTest {
 protected:
  // Three entries for files that exist, with real thumbnails.
  std::vector<TncTestEntry> Entries() {
    std::vector<TncTestEntry> entries;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) entries.push_back(EntryFor(MakeImage(name)));
    return entries;
  }
  int Found(const std::vector<TncTestEntry>& entries) {
    int found = 0;
    for (const TncTestEntry& e : entries) found += Finds(RequestFor(e.name)) ? 1 : 0;
    return found;
  }
};

TEST_F(DamagedCacheFile, AWritableCacheKeepsWhatWasReadAndEndsItsChainAtTheBreak) {
  const std::vector<TncTestEntry> entries = Entries();
  const std::vector<int32_t> offsets = TncEntryOffsets(entries);
  std::vector<uint8_t> bytes = TncFileBytes(entries);
  SetLink(bytes, size_t(offsets[1]) + 8, 0x7FFFFF00);
  PutFileBytes(CachePath(), bytes);
  Use();
  EXPECT_EQ(cache_.Info().entries, 2);
  EXPECT_EQ(Found(entries), 2);
  cache_.Close();
  std::vector<uint8_t> ended = bytes;
  SetLink(ended, size_t(offsets[1]) + 8, 0);
  EXPECT_EQ(CacheBytes(), ended);

  // The next thumbnail links on from the last good entry.
  Use();
  ASSERT_TRUE(AddThumbnail(RequestFor("c.jpg")));
  cache_.Close();
  EXPECT_EQ(LittleEndian(CacheBytes(), size_t(offsets[1]) + 8, 4), bytes.size());
  Use();
  EXPECT_EQ(Found(entries), 3);
}

TEST_F(DamagedCacheFile, ABrokenFirstLinkIsEndedInTheHeader) {
  std::vector<uint8_t> bytes = TncFileBytes(Entries());
  SetLink(bytes, 8, 3);
  PutFileBytes(CachePath(), bytes);
  Use();
  EXPECT_EQ(cache_.Info().entries, 0);
  cache_.Close();
  EXPECT_EQ(LittleEndian(CacheBytes(), 8, 4), 0u);
  EXPECT_EQ(CacheBytes().size(), bytes.size());
}

TEST_F(DamagedCacheFile, AReadOnlyCacheWithABrokenChainIsReadAsFarAsItGoesAndLeftAlone) {
  const std::vector<TncTestEntry> entries = Entries();
  std::vector<uint8_t> bytes = TncFileBytes(entries);
  SetLink(bytes, size_t(TncEntryOffsets(entries)[0]) + 8, 5);
  PutFileBytes(CachePath(), bytes);
  options_.cacheMode = kTncReadOnly;
  Use();
  EXPECT_EQ(Found(entries), 1);
  LeaveFolder();
  EXPECT_EQ(CacheBytes(), bytes);
}

TEST_F(DamagedCacheFile, AFileOfAnotherVersionIsReplacedWhenWritableAndKeptWhenReadOnly) {
  std::vector<uint8_t> bytes = TncFileBytes(Entries(), 2001);
  PutFileBytes(CachePath(), bytes);
  options_.cacheMode = kTncReadOnly;
  Use();
  EXPECT_EQ(cache_.Info().status, TncStatus::kNoFile);
  LeaveFolder();
  EXPECT_EQ(CacheBytes(), bytes);

  options_.cacheMode = kTncAutomatic;
  Use();
  EXPECT_EQ(cache_.Info().status, TncStatus::kNoFile);
  EXPECT_FALSE(platform::FileExists(CachePath()));
  EXPECT_TRUE(AddThumbnail(RequestFor("a.jpg")));
  EXPECT_EQ(cache_.Info().status, TncStatus::kNewFile);
}

TEST_F(DamagedCacheFile, EveryTruncatedCacheOpensWithTheEntriesBeforeTheCut) {
  const std::vector<TncTestEntry> entries = Entries();
  const std::vector<int32_t> offsets = TncEntryOffsets(entries);
  const std::vector<uint8_t> bytes = TncFileBytes(entries);
  // Every length around the entries' edges, and a stride through the rest.
  std::vector<size_t> sizes;
  for (size_t size = 0; size <= bytes.size(); size += size % 97 == 0 ? 1 : 13) sizes.push_back(size);
  for (int32_t at : offsets)
    for (size_t cut = size_t(at) - 2; cut < size_t(at) + kTncEntrySize + 2 && cut <= bytes.size(); ++cut)
      sizes.push_back(cut);
  for (size_t size : sizes) {
    SCOPED_TRACE(size);
    PutFileBytes(CachePath(), std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(size)));
    Use();
    int whole = 0;
    for (int32_t at : offsets) whole += size_t(at) + kTncEntrySize <= size ? 1 : 0;
    EXPECT_EQ(cache_.Info().entries, size < kTncHeaderSize ? 0 : whole);
    // The last whole entry may have lost the end of its JPEG.
    EXPECT_GE(Found(entries), std::max(whole - 1, 0));
    cache_.Close();
  }
}

TEST_F(DamagedCacheFile, GarbageFilesNeverCrashTheCache) {
  const std::vector<TncTestEntry> entries = Entries();
  const std::vector<uint8_t> good = TncFileBytes(entries);
  std::mt19937 random(3);
  for (int round = 0; round < 150; ++round) {
    std::vector<uint8_t> bytes = good;
    for (int flips = 1 + round % 40; flips > 0; --flips) bytes[random() % bytes.size()] = uint8_t(random());
    PutFileBytes(CachePath(), bytes);
    Use();
    Found(entries);
    AddThumbnail(RequestFor("a.jpg"));
    cache_.Close();
  }
}

}  // namespace
