// Squeezing: when leaving a folder, and what a squeezed cache keeps.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "tnc_chain.h"
#include "tnc_test_support.h"

namespace {

namespace fs = std::filesystem;

class TncSqueeze : public TncFolderTest {
 protected:
  // The chain of the cache file as it is on disk, by name.
  std::vector<std::string> Names() const {
    const std::vector<uint8_t> bytes = CacheBytes();
    TncBytes source(bytes.data(), bytes.size());
    TncHeader header;
    std::vector<std::string> names;
    if (!ReadTncHeader(source, &header)) return names;
    for (const TncEntryAt& e : ReadTncChain(source, header.first).entries) names.push_back(TncEntryName(e.entry));
    return names;
  }
  void Remove(const std::string& name) const { fs::remove(folder_ / name); }
  // No temporary file of a squeeze stays behind.
  size_t FilesInFolder() const {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder_)) count += entry.is_regular_file() ? 1 : 0;
    return count;
  }
};

// 99 entries for files that are there and one for a file that is gone: a squeeze shows as the
// entry dropped and the stale count cleared.
TEST_F(TncSqueeze, LeavingAFolderSqueezesFromSixteenPercentStaleOn) {
  for (int stale : {15, 16}) {
    SCOPED_TRACE(stale);
    std::vector<TncTestEntry> entries;
    for (int i = 0; i < 99; ++i) entries.push_back(EntryFor(MakeImage("f" + std::to_string(i) + ".jpg")));
    entries.push_back(EntryFor(MakeImage("gone.jpg")));
    Remove("gone.jpg");
    PutFileBytes(CachePath(), TncFileBytes(entries));
    Use();
    cache_.NoteStale(stale);
    LeaveFolder();
    const std::vector<uint8_t> bytes = CacheBytes();
    EXPECT_EQ(LittleEndian(bytes, 6, 2), stale == 15 ? 15u : 0u);
    EXPECT_EQ(Names().size(), stale == 15 ? 100u : 99u);
  }
}

TEST_F(TncSqueeze, AskingOrTurningOffTheDeferralSqueezesWhateverIsStale) {
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    PutFileBytes(CachePath(), TncFileBytes({EntryFor(MakeImage("a.jpg")), EntryFor(MakeImage("gone.jpg"))}));
    Remove("gone.jpg");
    options_.deferSqueeze = way != 1;
    Use();
    if (way == 0) cache_.NoteStale(-1);
    LeaveFolder();
    EXPECT_EQ(Names().size(), way == 2 ? 2u : 1u);
  }
}

TEST_F(TncSqueeze, TheStaleCountAndRequestAreForgottenForTheNextFolder) {
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(MakeImage("a.jpg")), EntryFor(MakeImage("gone.jpg"))}));
  Remove("gone.jpg");
  LeaveFolder();
  cache_.NoteStale(-1);
  cache_.NoteStale(50);
  cache_.SetOptions(options_);
  cache_.UseFolder((folder_ / "elsewhere").string(), platform::DriveInfo(), 90);
  Use();
  LeaveFolder();
  EXPECT_EQ(Names().size(), 2u);
}

TEST_F(TncSqueeze, KeptEntriesArePackedFromTwelveWithTheirThumbnails) {
  const TncRequest a = MakeImage("a.jpg"), b = MakeImage("b.jpg"), c = MakeImage("c.jpg");
  std::vector<TncTestEntry> entries = {EntryFor(a), EntryFor(MakeImage("gone.jpg")), EntryFor(b), EntryFor(c)};
  entries[2].jpeg = ThumbnailJpeg(20, 80);
  Remove("gone.jpg");
  // A file whose first entry lies past a gap, as no version writes but any could read.
  std::vector<uint8_t> bytes = TncFileBytes(entries);
  bytes.insert(bytes.begin() + 12, 40, 0xEE);
  bytes[8] = 12 + 40;
  for (int32_t offset : TncEntryOffsets(entries)) {
    const size_t next = size_t(offset) + 40 + 8;
    const uint32_t link = LittleEndian(bytes, next, 4);
    if (link == 0) continue;
    for (int i = 0; i < 4; ++i) bytes[next + size_t(i)] = uint8_t((link + 40) >> (8 * i));
  }
  PutFileBytes(CachePath(), bytes);
  const size_t files = FilesInFolder();
  Use();
  cache_.NoteStale(-1);
  LeaveFolder();

  const std::vector<uint8_t> squeezed = CacheBytes();
  EXPECT_EQ(LittleEndian(squeezed, 0, 4), 1999u);
  EXPECT_EQ(LittleEndian(squeezed, 4, 4), 0u);
  EXPECT_EQ(LittleEndian(squeezed, 8, 4), 12u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  const std::vector<int32_t> offsets = TncEntryOffsets({entries[0], entries[2], entries[3]});
  EXPECT_EQ(squeezed.size(), size_t(offsets[2]) + kTncEntrySize + jpeg_.size());
  EXPECT_EQ(LittleEndian(squeezed, size_t(offsets[0]) + 8, 4), uint32_t(offsets[1]));
  EXPECT_EQ(LittleEndian(squeezed, size_t(offsets[2]) + 8, 4), 0u);
  EXPECT_EQ(std::vector<uint8_t>(squeezed.begin() + offsets[1] + long(kTncEntrySize), squeezed.begin() + offsets[2]),
            entries[2].jpeg);
  EXPECT_EQ(FilesInFolder(), files);

  Use();
  Cimage found;
  ASSERT_TRUE(cache_.Load(b, 80, found));
  EXPECT_EQ(found.m_width, 20);
  EXPECT_TRUE(Finds(a));
  EXPECT_TRUE(Finds(c));
}

TEST_F(TncSqueeze, EntriesOfChangedMissingOrBlankedFilesAreDroppedAndAnHourApartKept) {
  constexpr uint64_t kHour = 36000000000ull;
  const struct {
    std::string name;
    int64_t timeShift;
    int32_t sizeShift;
    bool kept;
  } cases[] = {
      {"same.jpg", 0, 0, true},
      {"hour-later.jpg", int64_t(kHour), 0, true},
      {"hour-earlier.jpg", -int64_t(kHour), 0, true},
      {"half-hour.jpg", int64_t(kHour / 2), 0, false},
      {"resized.jpg", 0, 1, false},
      {std::string(90, 'x'), 0, 0, true},  // never matches, but stands for a file that is there
  };
  std::vector<TncTestEntry> entries;
  std::vector<std::string> kept;
  for (const auto& c : cases) {
    TncTestEntry entry = EntryFor(MakeImage(c.name));
    entry.time = platform::FileTimeFromTicks(platform::FileTimeTicks(entry.time) + uint64_t(c.timeShift));
    entry.sizeKB += c.sizeShift;
    entries.push_back(entry);
    if (c.kept) kept.push_back(c.name);
  }
  for (const char* name : {"gone.jpg", "*.jpg", "", "elsewhere"}) {
    TncTestEntry entry = EntryFor(RequestFor("same.jpg"));
    entry.name = name;
    entries.push_back(entry);
  }
  fs::create_directories(folder_ / "elsewhere");
  PutFileBytes(CachePath(), TncFileBytes(entries));
  Use();
  cache_.NoteStale(-1);
  LeaveFolder();
  EXPECT_EQ(Names(), kept);
}

TEST_F(TncSqueeze, InvalidatingBlanksTheFilesEntriesOfEveryEdgeAndSqueezesAtOnce) {
  const TncRequest a = MakeImage("a.jpg"), b = MakeImage("b.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a, 90), EntryFor(b), EntryFor(a, 180)}));
  Use();
  cache_.Invalidate(a);
  EXPECT_FALSE(cache_.IsOpen());
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg"}));
  Use();
  EXPECT_FALSE(Finds(a));
  EXPECT_TRUE(Finds(b));
}

TEST_F(TncSqueeze, InvalidatingTheOnlyEntryDeletesTheFile) {
  const TncRequest a = MakeImage("a.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a)}));
  Use();
  cache_.Invalidate(a);
  EXPECT_FALSE(platform::FileExists(CachePath()));
  EXPECT_EQ(cache_.Info().status, TncStatus::kNoFile);
}

// Creation times cannot be set on POSIX: there the stand-in reports them as 0 for every file.
TEST_F(TncSqueeze, AnOldLayoutFileIsSqueezedOnLeavingAndGetsLastWriteTimes) {
  const TncRequest a = MakeImage("a.jpg"), b = MakeImage("b.jpg");
  TncTestEntry first = EntryFor(a), second = EntryFor(b);
  first.time = a.creation;
  second.time = b.creation;
  PutFileBytes(CachePath(), TncFileBytes({first, second}, kTncOldVersion));
  Use();
  EXPECT_TRUE(Finds(a));
  LeaveFolder();
  const std::vector<uint8_t> bytes = CacheBytes();
  EXPECT_EQ(LittleEndian(bytes, 0, 4), 1999u);
  EXPECT_EQ(Names().size(), 2u);
  EXPECT_EQ(LittleEndian(bytes, 12 + 16, 4), a.lastWrite.dwLowDateTime);
  EXPECT_EQ(LittleEndian(bytes, 12 + 20, 4), a.lastWrite.dwHighDateTime);
  Use();
  EXPECT_TRUE(Finds(a));
  EXPECT_TRUE(Finds(b));
}

// A CD's own cache is only read; a mirror of a CD ignores times, so it is never squeezed either.
TEST_F(TncSqueeze, CdRomCachesAreNeverSqueezedOrWritten) {
  const TncRequest a = MakeImage("a.jpg");
  PutFileBytes(CachePath(), TncFileBytes({EntryFor(a), EntryFor(MakeImage("gone.jpg"))}));
  Remove("gone.jpg");
  const std::vector<uint8_t> before = CacheBytes();
  options_.deferSqueeze = false;
  platform::DriveInfo cd;
  cd.type = platform::kDriveCdRom;
  cd.label = "PHOTOS";
  cache_.SetOptions(options_);
  cache_.UseFolder(Folder(), cd, 90);
  TncRequest moved = a;
  moved.lastWrite = FILETIME{1, 2};
  EXPECT_TRUE(Finds(moved)) << "times are not compared";
  EXPECT_FALSE(AddThumbnail(MakeImage("new.jpg")));
  cache_.NoteStale(-1);
  cache_.Invalidate(a);
  cache_.UseFolder(Folder(), cd, 90);
  LeaveFolder();
  EXPECT_EQ(CacheBytes(), before);

  options_.useCdCache = false;
  cache_.SetOptions(options_);
  cache_.UseFolder(Folder(), cd, 90);
  ASSERT_TRUE(AddThumbnail(MakeImage("new.jpg")));
  const std::string mirror = cache_.Path();
  EXPECT_NE(mirror, CachePath());
  cache_.Close();
  const std::vector<uint8_t> mirrored = FileBytes(mirror);
  cache_.UseFolder(Folder(), cd, 90);
  cache_.NoteStale(-1);
  LeaveFolder();
  EXPECT_EQ(FileBytes(mirror), mirrored);
}

}  // namespace
