// When a cache entry stands for an image file: times, sizes, edges and names.
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tnc_matching.h"

namespace {

constexpr uint64_t kHour = 36000000000ull;  // in 100-nanosecond units
constexpr uint64_t kMinute = kHour / 60;

FILETIME At(uint64_t units) { return platform::FileTimeFromTicks(units); }

TEST(TncTimes, EqualOrExactlyOneHourApartEitherWayMatch) {
  // 0x1C1A2B3C4D5E6F70 has a low half that borrows going back an hour; 0x01C0000000001000 one
  // that does not carry going forward.
  const uint64_t bases[] = {0x01C0000000001000ull, 0x1C1A2B3C4D5E6F70ull, 0x01BF0000FFFFFFFFull,
                            0x01C1234500000000ull};
  const struct {
    int64_t offset;
    bool matches;
  } cases[] = {
      {0, true},
      {int64_t(kHour), true},
      {-int64_t(kHour), true},
      {int64_t(30 * kMinute), false},  // a file 30 minutes newer is a changed file
      {-int64_t(30 * kMinute), false},
      {int64_t(kHour) + 1, false},
      {int64_t(kHour) - 1, false},
      {2 * int64_t(kHour), false},
      {1, false},
      {int64_t(8ull << 32), false},  // the high half an hour apart, the low one not
  };
  for (uint64_t base : bases) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << std::hex << base << " " << std::dec << c.offset);
      EXPECT_EQ(TncTimesMatch(At(base + uint64_t(c.offset)), At(base)), c.matches);
      EXPECT_EQ(TncTimesMatch(At(base), At(base + uint64_t(c.offset))), c.matches);
    }
  }
}

// The test on 32-bit halves that earlier versions made also takes an hour plus 2^32 units
// (about seven minutes) where the low half does not borrow; caches they wrote read the same.
TEST(TncTimes, TheHalvesAreComparedAsEarlierVersionsDid) {
  const FILETIME file{0x10000000u, 100};
  EXPECT_TRUE(TncTimesMatch(FILETIME{0x10000000u + 0x61C46800u, 108}, file));
  EXPECT_TRUE(TncTimesMatch(FILETIME{0x10000000u + 0x61C46800u, 109}, file));
  EXPECT_FALSE(TncTimesMatch(FILETIME{0x10000000u + 0x61C46800u, 110}, file));
  EXPECT_FALSE(TncTimesMatch(FILETIME{0x10000000u + 0x80000000u, 100}, file));
}

TncEntry Entry(const std::string& name, int32_t sizeKB, FILETIME time, int32_t edge) {
  TncEntry entry;
  entry.sizeKB = sizeKB;
  entry.time = time;
  entry.edge = edge;
  SetTncEntryName(entry, name);
  return entry;
}

TncRequest Request(const std::string& name, int32_t sizeKB, FILETIME lastWrite, FILETIME creation = {}) {
  return TncRequest{name, sizeKB, lastWrite, creation};
}

TEST(TncEntryMatching, SizeTimeEdgeAndName) {
  const FILETIME now = At(0x01D0000012345678ull), later = At(0x01D0000012345678ull + 30 * kMinute);
  const std::string name79 = std::string(75, 'x') + ".jpg", name80 = std::string(76, 'x') + ".jpg";
  const struct {
    const char* what;
    TncEntry entry;
    TncRequest file;
    int edge;
    bool timesIgnored;
    bool matches;
  } cases[] = {
      {"same", Entry("a.jpg", 4, now, 90), Request("a.jpg", 4, now), 90, false, true},
      {"other size", Entry("a.jpg", 4, now, 90), Request("a.jpg", 5, now), 90, false, false},
      {"30 minutes newer", Entry("a.jpg", 4, now, 90), Request("a.jpg", 4, later), 90, false, false},
      {"CD-ROM ignores times", Entry("a.jpg", 4, now, 90), Request("a.jpg", 4, later), 90, true, true},
      {"180 serves 120", Entry("a.jpg", 4, now, 180), Request("a.jpg", 4, now), 120, false, true},
      {"90 does not serve 120", Entry("a.jpg", 4, now, 90), Request("a.jpg", 4, now), 120, false, false},
      {"any edge", Entry("a.jpg", 4, now, 40), Request("a.jpg", 4, now), 0, false, true},
      {"case matters", Entry("A.jpg", 4, now, 90), Request("a.jpg", 4, now), 90, false, false},
      {"prefix", Entry("a.jpg", 4, now, 90), Request("a.jpg2", 4, now), 90, false, false},
      {"79 bytes", Entry(name79, 4, now, 90), Request(name79, 4, now), 90, false, true},
      {"80 bytes", Entry(name80, 4, now, 90), Request(name80, 4, now), 90, false, false},
      {"blanked", Entry("", 4, now, 90), Request("", 4, now), 90, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TncEntryMatches(c.entry, c.file, c.edge, c.timesIgnored, false), c.matches);
  }
}

TEST(TncEntryMatching, AnOldLayoutFileComparesCreationTimes) {
  const FILETIME written = At(0x01D0000000000000ull), created = At(0x01C0000000000000ull);
  const TncEntry entry = Entry("a.jpg", 4, created, 90);
  EXPECT_TRUE(TncEntryMatches(entry, Request("a.jpg", 4, written, created), 90, false, true));
  EXPECT_FALSE(TncEntryMatches(entry, Request("a.jpg", 4, written, created), 90, false, false));
}

TEST(TncEntryMatching, ABlankedEntryNeverMatches) {
  TncEntry entry = Entry("a.jpg", 4, At(77), 90);
  BlankTncEntry(entry);
  EXPECT_EQ(entry.name[0], 0);
  EXPECT_EQ(platform::FileTimeTicks(entry.time), 0xFFFFFFFFu);
  EXPECT_FALSE(TncEntryMatches(entry, Request("a.jpg", 4, At(77)), 0, true, false));
}

TEST(TncEntryMatching, AStoredNameWithoutTerminatorNeverMatches) {
  TncEntry entry = Entry("a.jpg", 4, At(77), 90);
  for (char& c : entry.name) c = 'a';
  EXPECT_EQ(TncEntryName(entry), "");
  EXPECT_FALSE(TncEntryMatches(entry, Request(std::string(79, 'a'), 4, At(77)), 90, false, false));
  EXPECT_FALSE(TncEntryMatches(entry, Request(std::string(260, 'a'), 4, At(77)), 90, false, false));
}

TEST(TncRecords, HeaderAndEntryBytesRoundTripLittleEndian) {
  TncHeader header;
  header.version = kTncOldVersion;
  header.locked = 1;
  header.stale = -2;
  header.first = 0x01020304;
  uint8_t headerBytes[kTncHeaderSize];
  EncodeTncHeader(header, headerBytes);
  const uint8_t expectedHeader[kTncHeaderSize] = {0xCD, 0x07, 0, 0, 1, 0, 0xFE, 0xFF, 4, 3, 2, 1};
  EXPECT_EQ(0, std::memcmp(headerBytes, expectedHeader, kTncHeaderSize));
  const TncHeader back = DecodeTncHeader(headerBytes);
  EXPECT_EQ(back.version, kTncOldVersion);
  EXPECT_EQ(back.stale, -2);
  EXPECT_EQ(back.first, 0x01020304);

  TncEntry entry = Entry("name.jpg", 0x11223344, FILETIME{0x55667788u, 0x99AABBCCu}, 180);
  entry.link = 1, entry.dataOffset = 2, entry.next = 3, entry.imageHeight = 4, entry.imageWidth = 5;
  uint8_t bytes[kTncEntrySize];
  EncodeTncEntry(entry, bytes);
  const uint8_t expectedStart[36] = {1,    0,    0,    0,    2,    0,    0,    0,    3,    0, 0, 0,
                                     0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55, 0xCC, 0xBB, 0xAA, 0x99,
                                     180,  0,    0,    0,    4,    0,    0,    0,    5,    0, 0, 0};
  EXPECT_EQ(0, std::memcmp(bytes, expectedStart, sizeof expectedStart));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes + 36)), "name.jpg");
  const TncEntry decoded = DecodeTncEntry(bytes);
  EXPECT_EQ(decoded.next, 3);
  EXPECT_EQ(platform::FileTimeTicks(decoded.time), platform::FileTimeTicks(entry.time));
  EXPECT_EQ(TncEntryName(decoded), "name.jpg");
}

TEST(TncRecords, NamesMustFitWithTheirTerminatorAndSizesKeepTheLow32Bits) {
  TncEntry entry;
  EXPECT_TRUE(SetTncEntryName(entry, std::string(259, 'n')));
  EXPECT_EQ(TncEntryName(entry).size(), 259u);
  EXPECT_FALSE(SetTncEntryName(entry, std::string(260, 'm')));
  EXPECT_EQ(TncEntryName(entry), std::string(259, 'n'));
  EXPECT_EQ(TncSizeKB(5000), 4);
  EXPECT_EQ(TncSizeKB((5ull << 32) + 2048), 2);
  EXPECT_EQ(TncSizeKB(0xFFFFFFFFull), 0x3FFFFF);
}

}  // namespace
