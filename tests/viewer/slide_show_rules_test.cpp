// The slideshow without its windows, in both trees: the playlist from the view and from real
// folders, the order it is shown in, the steps forward, back, at the ends and past files that do
// not load, how many pictures it holds, and where and how often slides appear.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "Cimage.h"
#include "slide_playlist.h"
#include "slide_sequence.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

void AddItems(CThumbList& list, const std::vector<std::string>& names, const std::vector<int>& selected = {}) {
  int id = 1;
  for (const std::string& name : names) {
    CThumbItem* item = list.AddTail();
    item->name = name;
    item->folder = "C:\\pictures\\";
    item->id = id++;
  }
  for (int index : selected) {
    CThumbItem* item = list.GetFirst();
    for (int i = 0; i < index; ++i) item = item->next;
    item->selected = 1;
  }
}

std::vector<std::string> Names(CThumbList& list) {
  std::vector<std::string> names;
  for (CThumbItem* item = list.GetFirst(); item; item = item->next) names.push_back(item->name);
  return names;
}

// Loads a 2 × 2 picture for every file but those named "bad...", and remembers what the show did.
struct Host : SlideHost {
  void LoadSlide(CThumbItem& item) override {
    if (item.thumbnail) return;
    Cimage* picture = item.NewThumbnail();
    if (item.name.rfind("bad", 0) != 0) picture->Blank(2, 2, 0);
  }
  void SlideChanged(CThumbItem& item) override { shown.push_back(item.name); }
  std::vector<std::string> shown;
};

// A show of the names; the keys are pressed one per two idle passes (one loads ahead, one steps).
struct Show {
  explicit Show(const std::vector<std::string>& names, bool recycle = false, int startAt = -1)
      : recycle(recycle) {
    AddItems(sequence.Playlist(), names);
    CThumbItem* start = nullptr;
    if (startAt >= 0) {
      start = sequence.Playlist().GetFirst();
      for (int i = 0; i < startAt; ++i) start = start->next;
    }
    OrderPlaylist(sequence.Playlist(), CAppSettings::SlideShow{}, true);
    sequence.Begin(start, false);
  }
  // Idle passes until nothing is due; false when the show ended.
  bool Settle() {
    for (int i = 0; i < 4; ++i)
      if (!sequence.OnIdle(host, recycle)) return false;
    return true;
  }
  SlideSequence sequence;
  Host host;
  bool recycle;
};

TEST(SlideShowSteps, KeysEndsAndRecycling) {
  // 'n' next, 'p' previous; the slides shown after the start and each key, and whether it ran on.
  const struct {
    bool recycle;
    const char* keys;
    std::vector<std::string> shown;
    bool running;
  } cases[] = {
      {false, "nn", {"a", "b", "c"}, true},
      {false, "nnn", {"a", "b", "c"}, false},  // past the last slide the show ends
      {true, "nnn", {"a", "b", "c", "a"}, true},
      {false, "p", {"a", "a"}, true},  // Previous on the first stays there
      {false, "npp", {"a", "b", "a", "a"}, true},
      {false, "nnpn", {"a", "b", "c", "b", "c"}, true},  // back from the last slide and on again
      {false, "nnpnn", {"a", "b", "c", "b", "c"}, false},
  };
  for (const auto& c : cases) {
    Show show({"a", "b", "c"}, c.recycle);
    bool running = show.Settle();
    for (const char* key = c.keys; *key && running; ++key) {
      *key == 'n' ? show.sequence.Next() : show.sequence.Previous();
      running = show.Settle();
    }
    EXPECT_EQ(show.host.shown, c.shown) << c.keys << " recycle " << c.recycle;
    EXPECT_EQ(running, c.running) << c.keys;
  }
}

TEST(SlideShowSteps, PausesAndTheContinuousShow) {
  Show show({"a", "b", "c", "d"});
  show.Settle();
  show.sequence.Previous();  // going back pauses the timer's advance
  show.Settle();
  show.sequence.Tick();
  show.Settle();
  EXPECT_EQ(show.host.shown, (std::vector<std::string>{"a", "a"}));
  show.sequence.Next();  // Next lifts the pause
  show.Settle();
  show.sequence.Tick();
  show.Settle();
  EXPECT_EQ(show.host.shown, (std::vector<std::string>{"a", "a", "b", "c"}));

  // "interval" 0 with "usedelay": every other idle pass moves on, no timer needed.
  Show continuous({"a", "b", "c", "d"});
  continuous.sequence.continuous = true;
  for (int pass = 0; pass < 8 && continuous.sequence.OnIdle(continuous.host, false); ++pass) {
  }
  EXPECT_EQ(continuous.host.shown, (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(SlideShowSteps, StartsAtTheChosenItemAndHoldsFivePicturesAtMost) {
  // The current slide, three behind it and the next one; also once the show cycles.
  Show show({"a", "b", "c", "d", "e", "f", "g", "h"}, true, 3);
  int most = 0;
  for (int key = 0; key < 20; ++key) {
    show.Settle();
    most = std::max(most, show.sequence.LoadedCount());
    show.sequence.Next();
  }
  EXPECT_EQ(show.host.shown.front(), "d");
  EXPECT_EQ(show.host.shown[5], "a");
  EXPECT_EQ(most, 5);
}

// A file that does not load is a slide all the same (the background with its caption), so a
// show of such files runs as any other instead of ending at once.
TEST(SlideShowSteps, FilesThatDoNotLoadAreShownAsTheirBackgroundAndTheShowGoesOn) {
  Show show({"a", "bad1", "bad2", "d"});
  bool running = show.Settle();
  for (int i = 0; i < 3 && running; ++i) {
    show.sequence.Next();
    running = show.Settle();
  }
  EXPECT_TRUE(running);
  EXPECT_EQ(show.host.shown, (std::vector<std::string>{"a", "bad1", "bad2", "d"}));
  EXPECT_FALSE(SlideLoaded(*show.sequence.Current()->aux));
  show.sequence.Previous();
  EXPECT_TRUE(show.Settle());
  EXPECT_EQ(show.host.shown.back(), "bad2");

  Show none({"bad1", "bad2"});
  EXPECT_TRUE(none.Settle());
  none.sequence.Next();
  EXPECT_TRUE(none.Settle());
  EXPECT_EQ(none.host.shown, (std::vector<std::string>{"bad1", "bad2"}));
  none.sequence.Next();  // past the last slide of a show that does not cycle
  EXPECT_FALSE(none.Settle());
}

TEST(SlidePlaylist, FromTheView) {
  const struct {
    std::vector<int> selected;
    int include;
    std::vector<std::string> playlist;
    const char* start;
  } cases[] = {
      {{}, 0, {"a", "b", "c"}, nullptr},
      {{1}, 0, {"a", "b", "c"}, "b"},  // exactly one selected: the show starts there
      {{0, 2}, 0, {"a", "b", "c"}, nullptr},
      {{0, 2}, 1, {"a", "c"}, nullptr},
      {{2}, 1, {"c"}, "c"},
  };
  for (const auto& c : cases) {
    CThumbList view, playlist;
    AddItems(view, {"a", "b", "c"}, c.selected);
    const CThumbItem* start = CopyViewItems(view, playlist, c.include);
    EXPECT_EQ(Names(playlist), c.playlist);
    EXPECT_EQ(start ? start->name : "", c.start ? c.start : "");
  }
  CThumbList view, playlist;
  for (int i = 0; i < kPlaylistCap + 10; ++i) view.AddTail()->name = std::to_string(i);
  CopyViewItems(view, playlist, 0);
  EXPECT_EQ(playlist.GetCount(), kPlaylistCap);
}

TEST(SlidePlaylist, OrderUnlessAStartIsChosen) {
  CAppSettings::SlideShow settings{};
  settings.order = kSortByName;
  settings.reverse = 1;
  CThumbList list;
  AddItems(list, {"b", "c", "a"});
  OrderPlaylist(list, settings, false);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(list.GetFirst()->next->aux, list.GetFirst());
  CThumbList kept;
  AddItems(kept, {"b", "c", "a"});
  OrderPlaylist(kept, settings, true);
  EXPECT_EQ(Names(kept), (std::vector<std::string>{"b", "c", "a"}));
  settings.order = 4;  // thumbnail order
  OrderPlaylist(kept, settings, false);
  EXPECT_EQ(Names(kept), (std::vector<std::string>{"b", "c", "a"}));
}

class SlideFolderScan : public TempFolderTest {};

TEST_F(SlideFolderScan, SubfoldersByTypeSkippingLinksHiddenAndLongPaths) {
  fs::create_directories(folder_ / "one" / "deeper");
  fs::create_directories(folder_ / "two");
  Make("top.jpg", "x");  // the view's own files: not scanned again
  Make("one/b.png", "x");
  Make("one/a.JPG", "x");
  Make("one/c.txt", "x");
  Make("one/d.jpeg", "x");  // found by the system's "*.jpe", as "x.tiff" by "*.tif"
  Make("one/deeper/e.gif", "x");
  Make("two/f.bmp", "x");
  Make("two/g.tif", "x");
  Make("two/i.tiff", "x");
  // A link back up the tree would make the walk endless.
  std::error_code linkError;
  fs::create_directory_symlink(folder_, folder_ / "two" / "loop", linkError);
  // Deeper than any path the system takes (where the test's own files can be made and removed).
#ifdef _WIN32
  constexpr size_t kDeepest = 200;
#else
  constexpr size_t kDeepest = 300;
#endif
  fs::path deep = folder_ / "two";
  std::error_code deepError;
  while (deep.string().size() < kDeepest && !deepError) {
    deep /= std::string(40, 'd');
    fs::create_directories(deep, deepError);
    std::ofstream((deep / "h.jpg").string()) << "x";
  }
  CAppSettings settings{};
  for (int* shown : {&settings.fileOptions.showjpg, &settings.fileOptions.showgif, &settings.fileOptions.showbmp,
                     &settings.fileOptions.showtif, &settings.fileOptions.showpng})
    *shown = 1;
  CThumbList playlist;
  ASSERT_TRUE(ScanFolder(folder_.string() + "/", false, settings, playlist));
  std::map<std::string, std::string> found;  // name: the folder's last part
  for (CThumbItem* item = playlist.GetFirst(); item; item = item->next)
    found[item->name] = fs::path(item->folder.substr(0, item->folder.size() - 1)).filename().string();
  EXPECT_EQ(found.count("top.jpg"), 0u);
  EXPECT_EQ(found.count("c.txt"), 0u);
  EXPECT_EQ(found["a.JPG"], "one");
  EXPECT_EQ(found["e.gif"], "deeper");
  EXPECT_EQ(found["f.bmp"], "two");
  EXPECT_EQ(found["g.tif"], "two");
  EXPECT_EQ(found["i.tiff"], "two");
  for (CThumbItem* item = playlist.GetFirst(); item; item = item->next)
    EXPECT_LT(item->folder.size() + item->name.size(), 260u) << item->name;
  // Files by type in turn within a folder: the JPEGs before the PNGs.
  std::vector<std::string> inOne;
  for (CThumbItem* item = playlist.GetFirst(); item; item = item->next)
    if (found[item->name] == "one") inOne.push_back(item->name);
  std::sort(inOne.begin(), inOne.end() - 1);  // the system's order within a type
  EXPECT_EQ(inOne, (std::vector<std::string>{"a.JPG", "d.jpeg", "b.png"}));

  settings.fileOptions.showjpg = 0;
  CThumbList noJpeg;
  ScanFolder(folder_.string(), false, settings, noJpeg);
  for (CThumbItem* item = noJpeg.GetFirst(); item; item = item->next) EXPECT_NE(item->name, "a.JPG");

  CThumbList missing;
  EXPECT_FALSE(ScanFolder((folder_ / "absent").string(), false, settings, missing));
}

TEST(SlidePlacement, CaptionsBoxesTimersAndPositions) {
  const struct {
    const char* name;
    const char* caption;
  } captions[] = {{"holiday.jpg", "holiday"}, {"a.b.png", "a.b"}, {".hidden", ".hidden"}, {"noext", "noext"},
                  {"sub\\x.jpg", "x"}};
  for (const auto& c : captions) EXPECT_EQ(SlideCaption(c.name), c.caption) << c.name;

  const struct {
    int usedelay, interval, tenths, period;
  } timers[] = {{1, 3, 0, 3000}, {1, 3, 1, 300}, {1, 0, 0, 0}, {1, -2, 1, 0}, {0, 3, 0, -1}};
  for (const auto& t : timers) {
    CAppSettings::SlideShow s{};
    s.usedelay = t.usedelay;
    s.interval = t.interval;
    s.tenths = t.tenths;
    EXPECT_EQ(SlideTimerPeriod(s), t.period) << t.interval;
  }

  const struct {
    int size, width, height;
  } boxes[] = {{0, 1280, 1024}, {1, 1120, 896}, {2, 960, 768}, {3, 640, 512}, {7, 640, 512}};
  for (const auto& b : boxes) {
    const SlidePoint box = SlideLoadBox(b.size, 1280, 1024);
    EXPECT_EQ(box.x, b.width);
    EXPECT_EQ(box.y, b.height);
  }
  EXPECT_EQ(SlideLoadMode(0), 2);
  EXPECT_EQ(SlideLoadMode(2), 4);
  EXPECT_EQ(SlideLoadMode(3), 0);

  int corner = 0;
  const auto fixed = [] { return 32767; };
  const SlidePoint corners[] = {{0, 0}, {1180, 0}, {0, 924}, {1180, 924}, {0, 0}};
  for (const SlidePoint& want : corners) {
    const SlidePoint at = PlaceSlide(0, 1280, 1024, 100, 100, corner, fixed);
    EXPECT_EQ(at.x, want.x);
    EXPECT_EQ(at.y, want.y);
  }
  EXPECT_EQ(PlaceSlide(1, 1280, 1024, 100, 50, corner, fixed).y, 487);
  EXPECT_EQ(PlaceSlide(2, 1280, 1024, 100, 50, corner, fixed).x, 1180);  // the far end of the scatter
}

}  // namespace
