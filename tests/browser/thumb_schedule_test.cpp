// Which thumbnail the view asks for next: visible positions first, then with preload the rest in
// list order; search hits whose files are missing leave the list; texts of captions and the status.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "file_system.h"
#include "temp_folder.h"
#include "thumb_captions.h"
#include "thumb_list_builders.h"
#include "thumb_schedule.h"

namespace {

// Ten items, 1 KB each, named 1 .. 10.
void Fill(CThumbList& list, int count = 10) {
  for (int i = 1; i <= count; ++i) AddItem(list, std::to_string(i), i)->sizeKB = 1;
}

void GiveThumbnail(CThumbList& list, const std::string& name) {
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext())
    if (item->name == name) item->NewThumbnail();
}

std::string Next(CThumbList& list, int firstVisible, int pageCount, bool preload) {
  ScheduleCursor fresh;
  const std::vector<CThumbItem*> next =
      NextThumbnailsToLoad(list, ScheduleWindow{firstVisible, pageCount, preload}, fresh, 1, nullptr, nullptr);
  return next.empty() ? "none" : next.front()->name;
}

TEST(Scheduling, VisiblePositionsComeFirstThenTheRestInListOrderWithPreload) {
  CThumbList list;
  Fill(list);
  EXPECT_EQ(Next(list, 5, 3, false), "5");
  GiveThumbnail(list, "5");
  EXPECT_EQ(Next(list, 5, 3, false), "6");
  GiveThumbnail(list, "6");
  GiveThumbnail(list, "7");
  EXPECT_EQ(Next(list, 5, 3, false), "none");  // the visible cells are full; without preload, done
  EXPECT_EQ(Next(list, 5, 3, true), "1");
  for (const char* name : {"1", "2", "3", "4"}) GiveThumbnail(list, name);
  EXPECT_EQ(Next(list, 5, 3, true), "8");
  for (const char* name : {"8", "9", "10"}) GiveThumbnail(list, name);
  EXPECT_EQ(Next(list, 5, 3, true), "none");
}

TEST(Scheduling, TheVisibleWindowEndsAtTheList) {
  CThumbList list;
  Fill(list, 3);
  EXPECT_EQ(Next(list, 2, 100, false), "2");
  EXPECT_EQ(Next(list, 1, 0, false), "none");
}

// What examining a search hit found decides: a missing file leaves the list; a file found, even
// one under a kilobyte, and one the system would not tell about, are asked for.
TEST(Scheduling, SearchHitsAreExaminedAndDroppedOnlyWhenTheirFileIsMissing) {
  CThumbList list;
  Fill(list, 5);
  const std::map<std::string, platform::FileLookup> found = {{"1", platform::FileLookup::kMissing},
                                                             {"2", platform::FileLookup::kFound},
                                                             {"3", platform::FileLookup::kMissing},
                                                             {"4", platform::FileLookup::kUnknown}};
  for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext()) {
    item->sizeKB = 0;
    item->needsStat = item->name != "5";  // "5" was listed from a folder: an empty file stays unexamined
  }
  std::vector<std::string> examined, forgotten;
  const auto stat = [&](CThumbItem& item) {
    examined.push_back(item.name);
    return found.at(item.name);
  };
  const auto forget = [&](CThumbItem* item) { forgotten.push_back(item->name); };
  std::vector<std::string> asked;
  ScheduleCursor cursor;
  for (;;) {
    const std::vector<CThumbItem*> next = NextThumbnailsToLoad(list, ScheduleWindow{1, 10, false}, cursor, 1, stat, forget);
    if (next.empty()) break;
    asked.push_back(next.front()->name);
    next.front()->NewThumbnail();
  }
  EXPECT_EQ(asked, (std::vector<std::string>{"2", "4", "5"}));
  EXPECT_EQ(examined, (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(forgotten, (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"2", "4", "5"}));
}

// Requests of three, visible cells first, with no file asked for twice in one request.
TEST(Scheduling, ARequestTakesTheVisibleCellsThenTheRestEachOnce) {
  CThumbList list;
  Fill(list);
  ScheduleCursor cursor;
  const auto request = [&](const ScheduleWindow& window) {
    std::vector<std::string> names;
    for (CThumbItem* item : NextThumbnailsToLoad(list, window, cursor, 3, nullptr, nullptr)) {
      names.push_back(item->name);
      item->NewThumbnail();
    }
    return names;
  };
  EXPECT_EQ(request({5, 2, true}), (std::vector<std::string>{"5", "6", "1"}));
  EXPECT_EQ(request({5, 2, true}), (std::vector<std::string>{"2", "3", "4"}));
  EXPECT_EQ(request({9, 4, false}), (std::vector<std::string>{"9", "10"}));
  EXPECT_EQ(request({9, 4, true}), (std::vector<std::string>{"7", "8"}));
  EXPECT_TRUE(request({1, 10, true}).empty());
}

// The cursor kept from one request to the next, while the list changes under it: every file
// without a thumbnail is still asked for, and only those.
TEST(Scheduling, AKeptCursorStillFindsEveryMissingThumbnailAfterTheListChanged) {
  const struct {
    const char* change;
    void (*apply)(CThumbList& list, ScheduleCursor& cursor);
    std::vector<std::string> missing;
  } cases[] = {
      {"sorted backwards", [](CThumbList& list, ScheduleCursor&) { list.Sort(kSortByName, true, false); },
       {"9", "8", "7", "6", "5", "10"}},
      {"an item before the cursor removed",
       [](CThumbList& list, ScheduleCursor&) { list.Remove(list.GetFirst()); }, {"5", "6", "7", "8", "9", "10"}},
      {"the cursor's own item removed",
       [](CThumbList& list, ScheduleCursor&) {
         for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext())
           if (item->name == "5") list.Remove(item);
       },
       {"6", "7", "8", "9", "10"}},
      {"an item added at the head",
       [](CThumbList& list, ScheduleCursor&) { list.AddHead()->name = "0"; }, {"0", "5", "6", "7", "8", "9", "10"}},
      {"thumbnails freed before the cursor",
       [](CThumbList& list, ScheduleCursor& cursor) {
         for (CThumbItem* item = list.GetFirst(); item; item = list.GetNext())
           if (item->name == "2" || item->name == "4") item->FreeThumbnail();
         cursor.Reset();
       },
       {"2", "4", "5", "6", "7", "8", "9", "10"}},
  };
  for (const auto& c : cases) {
    CThumbList list;
    Fill(list);
    ScheduleCursor cursor;
    // Items 1 to 4 loaded: the cursor stands on 5.
    for (CThumbItem* item : NextThumbnailsToLoad(list, ScheduleWindow{1, 0, true}, cursor, 4, nullptr, nullptr))
      item->NewThumbnail();
    c.apply(list, cursor);
    std::vector<std::string> asked;
    for (;;) {
      const std::vector<CThumbItem*> next = NextThumbnailsToLoad(list, ScheduleWindow{1, 0, true}, cursor, 2, nullptr, nullptr);
      if (next.empty()) break;
      for (CThumbItem* item : next) {
        asked.push_back(item->name);
        item->NewThumbnail();
      }
    }
    EXPECT_EQ(asked, c.missing) << c.change;
  }
}

class Stat : public TempFolderTest {};

TEST_F(Stat, ReadsSizeAndTimesOfFilesButNotFolders) {
  CThumbItem item;
  item.folder = folder_.string() + platform::kPathSeparator;
  item.name = "big.jpg";
  Make("big.jpg", std::string(5000, 'x'));
  item.needsStat = 1;
  EXPECT_EQ(StatThumbItem(item, false), platform::FileLookup::kFound);
  EXPECT_EQ(item.sizeKB, 4);
  EXPECT_EQ(item.needsStat, 0);
  EXPECT_NE(item.lastWrite.dwHighDateTime, 0u);
  CThumbItem folder;
  folder.folder = item.folder;
  folder.name = "sub";
  std::filesystem::create_directory(folder_ / "sub");
  EXPECT_EQ(StatThumbItem(folder, false), platform::FileLookup::kMissing);
  EXPECT_EQ(folder.sizeKB, 0);
  CThumbItem gone;
  gone.folder = item.folder;
  gone.name = "gone.jpg";
  EXPECT_EQ(StatThumbItem(gone, false), platform::FileLookup::kMissing);
  EXPECT_EQ(gone.sizeKB, 0);
  CThumbItem small;
  small.folder = item.folder;
  small.name = "small.jpg";
  Make("small.jpg", std::string(500, 'x'));
  EXPECT_EQ(StatThumbItem(small, false), platform::FileLookup::kFound) << "under a kilobyte, but there";
  EXPECT_EQ(small.sizeKB, 0);
}

TEST(Captions, TheSizeLineSaysWhatIsKnown) {
  CThumbItem item;
  EXPECT_EQ(SizeCaption(item), "");
  item.sizeKB = 12;
  EXPECT_EQ(SizeCaption(item), "12 K");
  Cimage* thumbnail = item.NewThumbnail();
  thumbnail->m_origWidth = 3000;
  thumbnail->m_origHeight = 2000;
  EXPECT_EQ(SizeCaption(item), "12 K, 3000 x 2000");
  thumbnail->m_loadError = 1;
  EXPECT_EQ(SizeCaption(item), "12 K");
}

TEST(Captions, TheStatusCountsFilesOrTheSelection) {
  EXPECT_EQ(ListingStatusText(12, 3400, 0, 0), "12 File(s), 3400Kb Total");
  EXPECT_EQ(ListingStatusText(12, 3400, 2, 512), "2 Selected,  512Kb ");
  EXPECT_EQ(ListingStatusText(0, 0, 0, 0), "0 File(s), 0Kb Total");
  EXPECT_EQ(ListingStatusText(1, int64_t(5) << 32, 0, 0), "1 File(s), 21474836480Kb Total");
}

}  // namespace
