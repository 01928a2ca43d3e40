// The folder's slide-order file "vireldan.sts": its bytes, reading positions into a listing,
// rejecting damaged files, and rewriting it without losing what the listing does not show.
#include <cstdio>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "slide_order_bytes.h"
#include "slide_order_file.h"
#include "slide_order_records.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint32_t> PositionsOf(CThumbList& list) {
  std::vector<uint32_t> positions;
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) positions.push_back(item->slidePos);
  return positions;
}

using SlideOrder = SlideOrderFolder;

TEST_F(SlideOrder, WritesAHeaderAndOneRecordPerItemInListOrder) {
  CThumbList list;
  AddFile(list, "b.jpg", 1);
  AddFile(list, "a.jpg", 0x81020304);
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  const std::string bytes = StsBytes();
  ASSERT_EQ(bytes.size(), 20u + 2 * 264);
  const unsigned char header[20] = {0x13, 0x17, 0x00, 0x21, 0x01};
  EXPECT_EQ(bytes.substr(0, 20), std::string(reinterpret_cast<const char*>(header), 20));
  EXPECT_EQ(bytes.substr(20, 6), std::string("b.jpg\0", 6));
  EXPECT_EQ(bytes.substr(26, 254), std::string(254, '\0'));
  EXPECT_EQ(bytes.substr(280, 4), std::string("\x01\0\0\0", 4));
  EXPECT_EQ(bytes.substr(284, 264), SlideRecordBytes("a.jpg", 0x81020304));
  EXPECT_EQ(bytes.substr(544, 4), "\x04\x03\x02\x81");
}

TEST_F(SlideOrder, ReadsPositionsByExactName) {
  Make("vireldan.sts", SlideHeader() + SlideRecordBytes("a.jpg", 5) + SlideRecordBytes("B.jpg", 7) +
                           SlideRecordBytes("gone.jpg", 9) + SlideRecordBytes("a.jpg", 6) +
                           SlideRecordBytes("c.jpg", 0xFFFFFFFF, 'x'));
  CThumbList list;
  AddFile(list, "a.jpg", 0);
  AddFile(list, "b.jpg", 11);   // the file's "B.jpg" differs in case: no match
  AddFile(list, "c.jpg", 0);    // bytes after the terminator mean nothing
  AddFile(list, "c.jpg", 12);   // only the first item of a name gets the position
  AddFile(list, "new.jpg", 0);  // not in the file
  EXPECT_TRUE(ReadSlideOrder(Folder(), list));
  EXPECT_EQ(PositionsOf(list), (std::vector<uint32_t>{6, 11, 0xFFFFFFFF, 12, 0}));
}

TEST_F(SlideOrder, RejectsFilesThatAreNotSlideOrders) {
  const std::string record = SlideRecordBytes("a.jpg", 5);
  const struct {
    const char* what;
    std::string bytes;
  } rows[] = {
      {"version 2", SlideHeader(0x21001713, 2) + record},
      {"another magic", SlideHeader(0x21001714, 1) + record},
      {"a header cut short", SlideHeader().substr(0, 19)},
      {"an empty file", ""},
  };
  for (const auto& row : rows) {
    Make("vireldan.sts", row.bytes);
    CThumbList list;
    AddFile(list, "a.jpg", 42);
    EXPECT_FALSE(ReadSlideOrder(Folder(), list)) << row.what;
    EXPECT_EQ(list.GetFirst()->slidePos, 42u) << row.what;
  }
  fs::remove(StsPath());
  CThumbList list;
  AddFile(list, "a.jpg", 42);
  EXPECT_FALSE(ReadSlideOrder(Folder(), list));  // no file at all
}

TEST_F(SlideOrder, AFolderOfThatNameIsNoSlideOrderAndStays) {
  fs::create_directory(StsPath());
  CThumbList list;
  AddFile(list, "a.jpg", 42);
  EXPECT_FALSE(ReadSlideOrder(Folder(), list));
  EXPECT_EQ(list.GetFirst()->slidePos, 42u);
  EXPECT_FALSE(WriteSlideOrder(Folder(), list));
  EXPECT_TRUE(fs::is_directory(StsPath()));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(SlideOrder, SkipsDamagedRecordsAndAPartialLastOne) {
  Make("vireldan.sts", SlideHeader() + SlideRecordBytes("a.jpg", 1) +
                           SlideRecordBytes(std::string(260, 'x'), 2) +  // no terminator
                           SlideRecordBytes("", 3) + SlideRecordBytes("c.jpg", 4) +
                           SlideRecordBytes("b.jpg", 5).substr(0, 263));
  CThumbList list;
  AddFile(list, "a.jpg", 0);
  AddFile(list, "b.jpg", 9);
  AddFile(list, "c.jpg", 0);
  AddFile(list, std::string(259, 'x'), 9);
  EXPECT_TRUE(ReadSlideOrder(Folder(), list));
  EXPECT_EQ(PositionsOf(list), (std::vector<uint32_t>{1, 9, 4, 9}));

  Make("vireldan.sts", SlideHeader());
  EXPECT_TRUE(ReadSlideOrder(Folder(), list));  // a slide order of no files
  EXPECT_EQ(PositionsOf(list), (std::vector<uint32_t>{1, 9, 4, 9}));
}

TEST_F(SlideOrder, RewriteKeepsRecordsOfFilesInTheFolderThatAreNotListed) {
  Make("a.jpg", "image");
  Make("hidden.jpg", "image");
  Make("vireldan.sts", SlideHeader() + SlideRecordBytes("hidden.jpg", 4) + SlideRecordBytes("gone.jpg", 5) +
                           SlideRecordBytes("a.jpg", 9) + SlideRecordBytes("hidden.jpg", 6) +
                           SlideRecordBytes("..\\a.jpg", 7));
  CThumbList list;
  AddFile(list, "a.jpg", 0);
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  EXPECT_EQ(StsBytes(), SlideHeader() + SlideRecordBytes("a.jpg", 0) + SlideRecordBytes("hidden.jpg", 6));

  // Shown again, the file has its place back.
  AddFile(list, "hidden.jpg", 0);
  EXPECT_TRUE(ReadSlideOrder(Folder(), list));
  EXPECT_EQ(PositionsOf(list), (std::vector<uint32_t>{0, 6}));
}

TEST_F(SlideOrder, RewriteOfAnUnreadableFileKeepsNothingOfIt) {
  Make("hidden.jpg", "image");
  Make("vireldan.sts", SlideHeader(0x21001713, 2) + SlideRecordBytes("hidden.jpg", 4));
  CThumbList list;
  AddFile(list, "a.jpg", 3);
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  EXPECT_EQ(StsBytes(), SlideHeader() + SlideRecordBytes("a.jpg", 3));
}

TEST_F(SlideOrder, LeavesOutNamesARecordCannotHold) {
  CThumbList list;
  AddFile(list, std::string(260, 'n'), 1);
  AddFile(list, std::string(259, 'n'), 2);
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  EXPECT_EQ(StsBytes(), SlideHeader() + SlideRecordBytes(std::string(259, 'n'), 2));
}

TEST_F(SlideOrder, WritesThroughATemporaryFileAndLeavesNoneBehind) {
  Make("a.jpg", "image");
  CThumbList list;
  AddFile(list, "a.jpg", 1);
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  ASSERT_TRUE(WriteSlideOrder(Folder(), list));
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"a.jpg", "vireldan.sts"}));

  CThumbList elsewhere;
  elsewhere.AddTail()->name = "a.jpg";
  const std::string missing = (folder_ / "missing").string() + char(fs::path::preferred_separator);
  EXPECT_FALSE(WriteSlideOrder(missing, elsewhere));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(SlideOrder, NeverTruncatesTheOldFileInPlace) {
  const std::string old = SlideHeader() + SlideRecordBytes("a.jpg", 1);
  Make("vireldan.sts", old);
  FILE* reader = std::fopen(StsPath().c_str(), "rb");
  ASSERT_NE(reader, nullptr);
  CThumbList list;
  AddFile(list, "b.jpg", 2);
  const bool written = WriteSlideOrder(Folder(), list);
  std::string seen(old.size() + 1, '\0');
  seen.resize(std::fread(&seen[0], 1, seen.size(), reader));
  std::fclose(reader);
  // The reader still sees the whole old file: it was replaced, never cut and rewritten.
  EXPECT_EQ(seen, old);
#if defined(_WIN32)
  // Windows keeps a file that is open from being replaced: the old one stays as it was.
  EXPECT_FALSE(written);
  EXPECT_EQ(StsBytes(), old);
#else
  EXPECT_TRUE(written);
  EXPECT_EQ(StsBytes(), SlideHeader() + SlideRecordBytes("b.jpg", 2));
#endif
}

TEST_F(SlideOrder, RoundTripsManyFiles) {
  std::mt19937 random(5);
  CThumbList written, read;
  for (int i = 0; i < 2000; ++i) {
    const std::string name = "IMG_" + std::to_string(i) + (i % 2 ? ".JPG" : ".jpg");
    AddFile(written, name, uint32_t(random()));
    AddFile(read, name, 0);
  }
  ASSERT_TRUE(WriteSlideOrder(Folder(), written));
  EXPECT_EQ(StsBytes().size(), 20u + 2000 * 264);
  EXPECT_TRUE(ReadSlideOrder(Folder(), read));
  EXPECT_EQ(PositionsOf(read), PositionsOf(written));
}

}  // namespace

namespace {

TEST(SlideOrderRecords, ReadsNoMoreThanTheCap) {
  std::string bytes = SlideHeader();
  const std::string record = SlideRecordBytes("r.jpg", 1);
  bytes.reserve(bytes.size() + (kMaxSlideRecords + 1) * record.size());
  for (size_t i = 0; i <= kMaxSlideRecords; ++i) bytes += record;
  std::vector<SlideRecord> records;
  EXPECT_TRUE(ParseSlideOrder(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &records));
  EXPECT_EQ(records.size(), kMaxSlideRecords);
}

}  // namespace
