// Every record the program stores keeps the same bytes whatever the word size of the build: the
// 32-bit product and the 64-bit test tree must read each other's files. Each record is encoded
// with every field at its widest, then its size and the place of its last field are checked.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "slide_order_records.h"
#include "tnc_format.h"
#include "win_types.h"

namespace {

struct StoredRecord {
  const char* name;
  std::vector<uint8_t> bytes;
  size_t expectedSize;
  size_t lastFieldAt;       // where the record's last field starts
  uint32_t lastFieldValue;  // what a little-endian 32-bit read there gives
};

uint32_t LittleAt(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

std::vector<StoredRecord> Records() {
  TncHeader header;
  header.locked = -1;
  header.stale = kTncMaxStale;
  header.first = INT32_MAX;
  uint8_t headerBytes[kTncHeaderSize];
  EncodeTncHeader(header, headerBytes);

  TncEntry entry;
  entry.link = entry.dataOffset = entry.next = entry.sizeKB = -1;
  entry.time = FILETIME{0xFFFFFFFFu, 0xFFFFFFFFu};
  entry.edge = entry.imageHeight = -1;
  entry.imageWidth = INT32_MAX;
  SetTncEntryName(entry, std::string(kTncNameSize - 1, 'n'));
  uint8_t entryBytes[kTncEntrySize];
  EncodeTncEntry(entry, entryBytes);

  const std::vector<uint8_t> slides = SlideOrderBytes({{std::string(kSlideNameSize - 1, 's'), 0xFFFFFFFFu}});
  return {
      {"thumbnail cache header", {headerBytes, headerBytes + sizeof headerBytes}, 12, 8, uint32_t(INT32_MAX)},
      {"thumbnail cache entry", {entryBytes, entryBytes + sizeof entryBytes}, 296, 32, uint32_t(INT32_MAX)},
      {"slide order header", {slides.begin(), slides.begin() + kSlideHeaderSize}, 20, 4, 1},
      {"slide order record", {slides.begin() + kSlideHeaderSize, slides.end()}, 264, 260, 0xFFFFFFFFu},
  };
}

TEST(StoredRecordSizes, EveryRecordHasItsBytesInBothWordSizes) {
  for (const StoredRecord& record : Records()) {
    SCOPED_TRACE(record.name);
    ASSERT_EQ(record.bytes.size(), record.expectedSize);
    EXPECT_EQ(LittleAt(record.bytes, record.lastFieldAt), record.lastFieldValue);
  }
}

// The Win32 layouts that go into files and onto the clipboard as they are (bitmap headers, colour
// tables, file times in cache entries) have their 32-bit sizes in the 64-bit build too.
TEST(StoredRecordSizes, Win32LayoutsKeepTheirSizes) {
  EXPECT_EQ(sizeof(BITMAPINFOHEADER), 40u);
  EXPECT_EQ(sizeof(RGBQUAD), 4u);
  EXPECT_EQ(sizeof(BITMAPINFO), 44u);
  EXPECT_EQ(sizeof(FILETIME), 8u);
  EXPECT_EQ(sizeof(DWORD), 4u);
  EXPECT_EQ(sizeof(LONG), 4u);
}

}  // namespace
