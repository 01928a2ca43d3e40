// Listing a real folder for the thumbnail view: which files (enabled image types, shortcuts,
// hidden files, the program's side files), in which order, with what sizes; the subfolder walk;
// the refresh that follows new, removed and changed files; and which change notifications matter.
#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "file_system.h"
#include "image_listing.h"
#include "temp_folder.h"
#include "thumb_list_builders.h"

namespace {

namespace fs = std::filesystem;

class Listing : public TempFolderTest {
 protected:
  std::string Folder() const { return folder_.string() + platform::kPathSeparator; }
  void Touch(const std::string& name, size_t size = 10) { Make(name, std::string(size, 'x')); }
  // No shortcut resolves in these tests except those named here.
  ShortcutResolver Resolver() const {
    return [this](const std::string& path, std::string& target) {
      const auto found = shortcuts_.find(platform::FileNameOf(path));
      if (found == shortcuts_.end()) return false;
      target = found->second;
      return true;
    };
  }
  std::map<std::string, std::string> shortcuts_;
  int nextId_ = 1;
};

TEST(ListingMasks, ExtensionsDecideInAnyCaseAndDisabledTypesAreLeftOut) {
  ListingOptions options;
  options.lnk = true;
  const struct {
    const char* name;
    int mask;
  } rows[] = {
      {"a.jpg", 0}, {"a.JPG", 0}, {"a.jfif", 0}, {"a.jif", 0}, {"a.jpe", 0}, {"a.jpeg", 0}, {"b.gif", 1},
      {"c.bmp", 2}, {"d.tif", 3}, {"e.png", 4}, {"f.psd", 5},  {"g.Pcx", 6}, {"h.lnk", 7},  {"x.y.png", 4},
      {"a.jpg.txt", -1}, {"vireldan.tnc", -1}, {"vireldan.sts", -1}, {"vireldan.iif", -1}, {"jpg", -1},
      {"~vl12345678.tmp", -1}, {"a.tiff", 3}, {"a.TIFF", 3}, {"a.tiffx", -1},
  };
  for (const auto& row : rows) EXPECT_EQ(ListingMaskOf(row.name, options), row.mask) << row.name;
  options.gif = false;
  options.lnk = false;
  EXPECT_EQ(ListingMaskOf("b.gif", options), -1);
  EXPECT_EQ(ListingMaskOf("h.lnk", options), -1);
}

TEST(ListingMasks, ShortcutsCountWhenTheirTargetIsAShownImage) {
  ListingOptions options;
  options.lnk = true;
  EXPECT_TRUE(ShortcutTargetShown("C:\\PICS\\A.JPEG", options));
  EXPECT_TRUE(ShortcutTargetShown("C:\\pics\\a.pcx", options));
  EXPECT_TRUE(ShortcutTargetShown("C:\\pics\\scan.tiff", options));
  EXPECT_FALSE(ShortcutTargetShown("C:\\pics\\a.txt", options));
  EXPECT_FALSE(ShortcutTargetShown("C:\\pics\\other.lnk", options));
  options.pcx = false;
  EXPECT_FALSE(ShortcutTargetShown("C:\\pics\\a.pcx", options));
}

TEST(ListingMasks, SizesAreTheLow32BitsInKilobytes) {
  EXPECT_EQ(SizeInKB(1023), 0);
  EXPECT_EQ(SizeInKB(1024), 1);
  EXPECT_EQ(SizeInKB(5u << 20), 5 << 10);
  EXPECT_EQ(SizeInKB((uint64_t(1) << 32) + 2048), 2);
}

TEST_F(Listing, AFolderListsItsImagesTypeByTypeAndNothingElse) {
  for (const char* name : {"b.png", "a.gif", "c.jpg", "z.JPE", "m.bmp", "vireldan.tnc", "vireldan.sts",
                           "vireldan.iif", "notes.txt", "k.pcx", "p.psd", "t.tif", "s.lnk", "q.jpeg", "u.tiff"})
    Touch(name, 3000);
  fs::create_directory(folder_ / "folder.jpg");
  shortcuts_["s.lnk"] = "C:\\x\\y.gif";
  ListingOptions options;
  options.lnk = true;
  CThumbList items;
  EXPECT_EQ(AppendFolderFiles(items, Folder(), options, nextId_, Resolver()), 11);
  std::vector<std::string> names = NamesOf(items);
  // Within a type the system's order holds; compare the types' groups.
  const std::vector<std::vector<std::string>> groups = {{"c.jpg", "q.jpeg", "z.JPE"}, {"a.gif"}, {"m.bmp"},
                                                        {"t.tif", "u.tiff"}, {"b.png"}, {"p.psd"}, {"k.pcx"}, {"s.lnk"}};
  size_t at = 0;
  for (const auto& group : groups) {
    ASSERT_LE(at + group.size(), names.size());
    std::vector<std::string> got(names.begin() + long(at), names.begin() + long(at + group.size()));
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, group);
    at += group.size();
  }
  CThumbItem* first = items.GetFirst();
  EXPECT_EQ(first->folder, Folder());
  EXPECT_EQ(first->sizeKB, 2);
  EXPECT_NE(first->lastWrite.dwHighDateTime, 0u);
  EXPECT_EQ(IdsOf(items), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(nextId_, 12);
}

TEST_F(Listing, HiddenFilesAndShortcutsToOtherFilesNeedTheirSwitches) {
  Touch("a.jpg");
  Touch(".hidden.jpg");  // hidden by its dot for the POSIX stand-in, by its attribute on Win32
  ASSERT_TRUE(platform::SetHiddenAttribute((folder_ / ".hidden.jpg").string(), true));
  Touch("doc.lnk");
  shortcuts_["doc.lnk"] = "C:\\x\\letter.doc";
  ListingOptions options;
  options.lnk = true;
  CThumbList items;
  AppendFolderFiles(items, Folder(), options, nextId_, Resolver());
  EXPECT_EQ(NamesOf(items), (std::vector<std::string>{"a.jpg"}));
  options.showHidden = true;
  items.RemoveAll();
  AppendFolderFiles(items, Folder(), options, nextId_, Resolver());
  std::vector<std::string> names = NamesOf(items);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".hidden.jpg", "a.jpg"}));
}

TEST_F(Listing, ThousandsOfFilesAreListedOnceEach) {
  for (int i = 0; i < 1500; ++i) Touch("f" + std::to_string(i) + ".jpg", 1);
  CThumbList items;
  EXPECT_EQ(AppendFolderFiles(items, Folder(), ListingOptions(), nextId_, Resolver()), 1500);
  items.Sort(0, false, false);
  EXPECT_EQ(items.GetFirst()->name, "f0.jpg");
  EXPECT_EQ(items.GetNext()->name, "f1.jpg");
  EXPECT_EQ(items.GetNext()->name, "f10.jpg");
}

TEST_F(Listing, TheSubfolderWalkGoesDepthFirstAndCanStop) {
  fs::create_directories(folder_ / "a" / "deep");
  fs::create_directories(folder_ / "b");
  Touch("top.jpg");
  Touch("a/one.jpg");
  Touch("a/deep/two.jpg");
  Touch("b/three.jpg");
  CThumbList items;
  EXPECT_EQ(AppendFolderTree(items, Folder(), ListingOptions(), nextId_, Resolver(), nullptr), 4);
  std::vector<std::string> paths;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
    paths.push_back(item->folder.substr(Folder().size()) + item->name);
  ASSERT_EQ(paths.size(), 4u);
  EXPECT_EQ(paths[0], "top.jpg");
  const std::string sep(1, platform::kPathSeparator);
  // "a" and its "deep" come together, before or after "b".
  const auto a = std::find(paths.begin(), paths.end(), "a" + sep + "one.jpg");
  ASSERT_NE(a, paths.end());
  EXPECT_EQ(*(a + 1), "a" + sep + "deep" + sep + "two.jpg");

  int asked = 0;
  CThumbList stopped;
  AppendFolderTree(stopped, Folder(), ListingOptions(), nextId_, Resolver(), [&] { return ++asked > 1; });
  EXPECT_EQ(NamesOf(stopped), (std::vector<std::string>{"top.jpg"}));
}

class Refreshing : public Listing {
 protected:
  void SetUp() override {
    Listing::SetUp();
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) Touch(name, 2048);
    AppendFolderFiles(items_, Folder(), ListingOptions(), nextId_, Resolver());
    items_.Sort(0, false, false);
  }
  RefreshOutcome Refresh(int firstVisible = 1) {
    return RefreshFolderListing(items_, Folder(), ListingOptions(), nextId_, firstVisible, Resolver(),
                                [this](CThumbItem* item) { forgotten_.push_back(item->name); });
  }
  CThumbList items_;
  std::vector<std::string> forgotten_;
};

TEST_F(Refreshing, AnUnchangedFolderKeepsEveryItem) {
  const std::vector<int> ids = IdsOf(items_);
  const RefreshOutcome outcome = Refresh();
  EXPECT_EQ(outcome.added, 0);
  EXPECT_EQ(outcome.removed, 0);
  EXPECT_EQ(IdsOf(items_), ids);
}

TEST_F(Refreshing, NewFilesAreAppendedAndGoneOnesRemovedAndForgotten) {
  Touch("e.jpg");
  Touch("notes.txt");
  fs::remove(folder_ / "b.jpg");
  fs::remove(folder_ / "a.jpg");
  const RefreshOutcome outcome = Refresh(3);
  EXPECT_EQ(outcome.added, 1);
  EXPECT_EQ(outcome.removed, 2);
  EXPECT_EQ(outcome.removedUpToFirst, 2);
  EXPECT_EQ(NamesOf(items_), (std::vector<std::string>{"c.jpg", "d.jpg", "e.jpg"}));
  EXPECT_EQ(forgotten_, (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(items_.GetCount(), 3);
}

TEST_F(Refreshing, AChangedFileGetsANewItemAtTheEnd) {
  const int firstId = items_.GetFirst()->id;
  Touch("b.jpg", 9000);  // the size changes
  const RefreshOutcome outcome = Refresh();
  EXPECT_EQ(outcome.added, 1);
  EXPECT_EQ(outcome.removed, 1);
  EXPECT_EQ(NamesOf(items_), (std::vector<std::string>{"a.jpg", "c.jpg", "d.jpg", "b.jpg"}));
  EXPECT_EQ(items_.GetFirst()->id, firstId);
  CThumbItem* last = nullptr;
  for (CThumbItem* item = items_.GetFirst(); item; item = items_.GetNext()) last = item;
  EXPECT_EQ(last->sizeKB, 8);
  EXPECT_EQ(last->id, 5);
}

TEST_F(Refreshing, TheProgramsOwnSideFilesChangeNothing) {
  Touch("vireldan.tnc", 50000);
  Touch("vireldan.sts", 20);
  Touch("~vl0badf00.tmp", 20);
  const RefreshOutcome outcome = Refresh();
  EXPECT_EQ(outcome.added, 0);
  EXPECT_EQ(outcome.removed, 0);
}

TEST_F(Refreshing, ManyFilesRefreshInOnePass) {
  for (int i = 0; i < 2000; ++i) Touch("n" + std::to_string(i) + ".png", 1);
  EXPECT_EQ(Refresh().added, 2000);
  EXPECT_EQ(Refresh().added, 0);
  EXPECT_EQ(items_.GetCount(), 2004);
}

TEST(ChangeNotifications, OnlyListedTypesDirectlyInTheFolderMatter) {
  const ListingOptions options;
  const struct {
    std::vector<std::string> names;
    bool matters;
  } rows[] = {
      {{"vireldan.tnc"}, false},
      {{"vireldan.sts", "~vl0000abcd.tmp", "vireldan.iif"}, false},
      {{"vireldan.tnc", "new.jpg"}, true},
      {{"sub\\inner.jpg"}, false},
      {{"sub/inner.jpg"}, false},
      {{"notes.txt"}, false},
      {{"old.PNG"}, true},
      {{}, true},  // the system lost count of the names
      {{"link.lnk"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.names.empty() ? std::string("none") : row.names[0]);
    EXPECT_EQ(ChangeAffectsListing(row.names, options), row.matters);
  }
  ListingOptions withShortcuts;
  withShortcuts.lnk = true;
  EXPECT_TRUE(ChangeAffectsListing({"link.lnk"}, withShortcuts));
}

}  // namespace
