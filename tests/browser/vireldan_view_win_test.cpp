// The thumbnail view under Wine: a real folder of pictures is listed sorted, its thumbnails come
// from the loader thread, visible cells first; a second visit takes them from the cache; a click
// selects; scrolling to the end of a long listing stays inside it; refreshing follows new and
// removed files while the program's own side files cause no relisting; a size change by a
// splitter lays out and paints the whole view anew; the Purge command keeps locked caches; on a
// 16-bit display only the cells on screen keep dithered display copies; the selection is keyed,
// the listing filtered by keys, and key search hits shown.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "command_ids.h"
#include "pane_splitters.h"
#include "folder_change_watch.h"
#include "image_listing.h"
#include "key_test_support.h"
#include "name_node.h"
#include "private_messages.h"
#include "temp_folder.h"
#include "thumb_loader.h"
#include "tnc_test_support.h"
#include "ui_driver.h"
#include "vireldan_view.h"

namespace {

namespace fs = std::filesystem;

// The main window's part: results of the loader go back to the view.
class Host : public Window {
 public:
  CVireldanView* view = nullptr;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_THUMB_READY && view) {
      view->OnThumbnailReady();
      return 0;
    }
    return Window::WndProc(message, wParam, lParam);
  }
};

// Runs the message loop until done() or the time is up; done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 60000) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (::GetTickCount() - start > milliseconds) return done();
    ::Sleep(5);
  }
  return true;
}

void Pump(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  PumpUntil([&] { return ::GetTickCount() - start >= milliseconds; }, milliseconds + 1000);
}

void WritePicture(const std::string& path, int width, int height, unsigned colour) {
  Cimage picture;
  picture.Blank(width, height, colour);
  picture.SaveImage(path.c_str());
  ASSERT_FALSE(picture.m_saveError) << path;
}

std::vector<std::string> Names(CThumbList& items) {
  std::vector<std::string> names;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) names.push_back(item->name);
  return names;
}

int Loaded(CThumbList& items) {
  int loaded = 0;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) loaded += item->thumbnail != nullptr;
  return loaded;
}

// Waits for the program's message box, ends it with the button, and gives its text.
std::string AnswerMessageBox(int button) {
  const char* caption = MessageCaption();
  const HWND box = WaitForWindow(caption ? caption : "Error");
  if (!box) return "(no message)";
  char text[256] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  PressButton(box, button);
  return text;
}

class ThumbnailView : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_settings.thumbnails = {};
    g_settings.thumbnails.thumbnailSize = 4;  // 40 pixels: 50 × 50 cells without captions
    g_settings.thumbnails.cachequality = 1;
    g_settings.fileOptions = {};
    g_settings.fileOptions.showjpg = g_settings.fileOptions.showgif = g_settings.fileOptions.showbmp = 1;
    g_settings.fileOptions.showpng = g_settings.fileOptions.showtif = 1;
    ASSERT_TRUE(host_.Create(0, "view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    MakeView();
  }
  void TearDown() override {
    view_.reset();
    host_.Destroy();
    g_keyIndex.Clear();
    TempFolderTest::TearDown();
  }
  void MakeView() {
    view_.reset();
    view_.reset(new CVireldanView);
    host_.view = view_.get();
    RECT client = {};
    ::GetClientRect(host_.Handle(), &client);
    ASSERT_TRUE(view_->Create(host_.Handle(), 1, host_.Handle()));
    // The frame's client edge takes 2 pixels a side: 4 columns and 2 rows of 50-pixel cells.
    ::MoveWindow(view_->Handle(), 0, 0, 4 * 50 + 4 + ::GetSystemMetrics(SM_CXVSCROLL), 2 * 50 + 4, TRUE);
  }
  std::string Folder() const { return folder_.string() + "\\"; }
  Host host_;
  std::unique_ptr<CVireldanView> view_;
};

TEST_F(ThumbnailView, ListsTheFolderSortedAndFillsTheVisibleCellsFirst) {
  for (const char* name : {"d.jpg", "b.png", "a.gif", "c.bmp", "e.jpg", "f.jpg", "g.jpg", "h.jpg", "i.jpg",
                           "j.jpg", "k.jpg", "l.jpg"})
    WritePicture((folder_ / name).string(), 60, 30, 0x336699);
  Make("notes.txt", "not a picture");
  Make("vireldan.sts", "");  // a side file is never listed
  view_->SetFolder(Folder());
  CThumbList& items = view_->Items();
  EXPECT_EQ(Names(items), (std::vector<std::string>{"a.gif", "b.png", "c.bmp", "d.jpg", "e.jpg", "f.jpg", "g.jpg",
                                                      "h.jpg", "i.jpg", "j.jpg", "k.jpg", "l.jpg"}));
  // Without preload, only the eight visible cells are asked for.
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 8; }));
  Pump(500);
  EXPECT_EQ(Loaded(items), 8);
  CThumbItem* first = items.GetFirst();
  ASSERT_NE(first->thumbnail, nullptr);
  EXPECT_EQ(first->thumbnail->m_width, 40);
  EXPECT_EQ(first->thumbnail->m_height, 20);
  EXPECT_EQ(first->thumbnail->m_origWidth, 60);
  for (int i = 0; i < 8; ++i) items.GetNext();
  EXPECT_EQ(items.GetNext()->thumbnail, nullptr);  // i.jpg lies off screen

  // A click on the second cell's thumbnail selects its item; the margin selects nothing.
  ::SendMessageA(view_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 40));
  EXPECT_EQ(items.CountSelected(), 1);
  EXPECT_EQ(items.GetFirstSelected()->name, "b.png");
  EXPECT_EQ(view_->HitTest(52, 40, false), nullptr);
  EXPECT_EQ(view_->HitTest(110, 10, false), nullptr);  // above c.bmp's landscape thumbnail
  EXPECT_EQ(view_->HitTest(60, 10, false), items.GetFirstSelected());  // a selected item's whole cell
}

TEST_F(ThumbnailView, PreloadFillsTheRestAndASecondVisitComesFromTheCache) {
  g_settings.thumbnails.preload = 1;
  g_settings.thumbnails.dosmall = 1;  // the pictures are small files
  for (int i = 0; i < 20; ++i) WritePicture((folder_ / ("p" + std::to_string(100 + i) + ".jpg")).string(), 200, 150, 0x808080 + i);
  view_->SetFolder(Folder());
  ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 20; }));
  Pump(300);
  view_->StopLoader();  // closes the cache file
  ASSERT_TRUE(fs::exists(folder_ / "vireldan.tnc"));
  const auto cacheSize = fs::file_size(folder_ / "vireldan.tnc");
  EXPECT_GT(cacheSize, 20u * 296);

  // A new view and loader, as after a restart: every thumbnail comes from the cache, which
  // therefore gains nothing.
  MakeView();
  view_->SetFolder(Folder());
  ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 20; }));
  view_->StopLoader();
  EXPECT_EQ(fs::file_size(folder_ / "vireldan.tnc"), cacheSize);
  EXPECT_EQ(view_->Items().GetFirst()->thumbnail->m_origWidth, 200);
}

TEST_F(ThumbnailView, RefreshFollowsTheFolderButNotTheProgramsSideFiles) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) WritePicture((folder_ / name).string(), 30, 30, 0x123456);
  view_->SetFolder(Folder());
  CThumbList& items = view_->Items();
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 3; }));
  const int firstId = items.GetFirst()->id;

  fs::remove(folder_ / "a.jpg");
  WritePicture((folder_ / "d.jpg").string(), 30, 30, 0x654321);
  view_->Refresh(false, false);
  EXPECT_EQ(Names(items), (std::vector<std::string>{"b.jpg", "c.jpg", "d.jpg"}));
  EXPECT_NE(items.GetFirst()->id, firstId);
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 3; }));
}

TEST(FolderChanges, NamesTheChangedFilesSoThatSideFilesCanBeIgnored) {
  const fs::path folder = fs::temp_directory_path() / "vireldan-FolderChanges";
  fs::remove_all(folder);
  fs::create_directories(folder);
  FolderChangeWatch watch;
  ASSERT_TRUE(watch.Open(folder.string()));
  std::vector<std::string> names;
  EXPECT_FALSE(watch.Poll(names));

  std::ofstream((folder / "vireldan.tnc").string()) << "cache";
  std::ofstream((folder / "vireldan.sts").string()) << "order";
  bool changed = false;
  for (int i = 0; i < 200 && !changed; ++i, ::Sleep(10)) changed = watch.Poll(names);
  ASSERT_TRUE(changed);
  std::vector<std::string> all = names;
  for (int i = 0; i < 20; ++i, ::Sleep(10))
    if (watch.Poll(names)) all.insert(all.end(), names.begin(), names.end());
  EXPECT_FALSE(all.empty()) << "the system named no files";
  EXPECT_FALSE(ChangeAffectsListing(all, ListingOptions()));

  std::ofstream((folder / "new.jpg").string()) << "picture";
  changed = false;
  for (int i = 0; i < 200 && !changed; ++i, ::Sleep(10)) changed = watch.Poll(names);
  ASSERT_TRUE(changed);
  EXPECT_TRUE(ChangeAffectsListing(names, ListingOptions()));
  watch.Close();
  fs::remove_all(folder);
}

// A long listing of small pictures: listed sorted, painted, and scrolled to a full last page.
// (bench/view_scale.sh measures how this scales.)
TEST_F(ThumbnailView, ALongListingIsSortedAndScrollsToAFullLastPage) {
  const int expected = 400;
  for (int i = 0; i < expected; ++i) WritePicture((folder_ / ("s" + std::to_string(i) + ".jpg")).string(), 12, 9, 0x204080);
  g_settings.thumbnails.thumbnailSize = 2;  // edge 90
  view_->ApplyThumbnailSize();
  view_->SetFolder(Folder());
  CThumbList& items = view_->Items();
  ASSERT_EQ(items.GetCount(), expected);
  std::string previous;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext()) {
    // The upper-case table is the application's; the test's names need no folding.
    EXPECT_LT(previous, item->name);
    previous = item->name;
  }
  ::UpdateWindow(view_->Handle());
  const HWND bar = ::GetDlgItem(view_->Handle(), 1);
  ASSERT_TRUE(::IsWindowVisible(bar));
  ::SendMessageA(view_->Handle(), WM_VSCROLL, SB_BOTTOM, LPARAM(bar));
  ::UpdateWindow(view_->Handle());
  ::SendMessageA(view_->Handle(), WM_VSCROLL, SB_LINEDOWN, LPARAM(bar));
  // The last page is full: its top-left cell holds an item.
  EXPECT_NE(view_->HitTest(6, 6, true), nullptr);
}

// The view as the main frame holds it: the right pane of the outer splitter, beside the folder
// tree's column.
class ThumbnailViewInSplitter : public ThumbnailView {
 protected:
  void SetUp() override {
    ThumbnailView::SetUp();
    view_.reset();
    ASSERT_TRUE(splitter_.CreateStatic(host_.Handle(), 1, 2, 10));
    ASSERT_TRUE(::CreateWindowExA(0, "STATIC", "tree", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, splitter_.Handle(),
                                  reinterpret_cast<HMENU>(UINT_PTR(SplitterWindow::PaneId(0, 0))),
                                  ::GetModuleHandleA(nullptr), nullptr));
    view_.reset(new CVireldanView);
    host_.view = view_.get();
    ASSERT_TRUE(view_->Create(splitter_.Handle(), SplitterWindow::PaneId(0, 1), host_.Handle()));
    splitter_.SetColumnInfo(0, 100, 20);
    RECT client = {};
    ::GetClientRect(host_.Handle(), &client);
    ::MoveWindow(splitter_.Handle(), 0, 0, client.right, client.bottom, TRUE);
    for (int i = 0; i < 30; ++i) WritePicture((folder_ / ("p" + std::to_string(100 + i) + ".jpg")).string(), 40, 40, 0x406080);
    view_->SetFolder(Folder());
    PaintAll();
  }
  void TearDown() override {
    view_.reset();
    ThumbnailView::TearDown();
  }
  void PaintAll() { ::RedrawWindow(host_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
  // Drags the bar between the columns to x, as the mouse does.
  void DragBarTo(int x) {
    int width = 0, minimum = 0;
    splitter_.GetColumnInfo(0, width, minimum);
    const int y = 20;
    ::SendMessageA(splitter_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(width + 2, y));
    ::SendMessageA(splitter_.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(splitter_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // What a size change must leave: all of the view waiting to be painted, then a grid and a scroll
  // bar that fit the new client area.
  void ExpectLaidOutAndPaintedAnew(const char* change) {
    SCOPED_TRACE(change);
    RECT client = {};
    ::GetClientRect(view_->Handle(), &client);
    const HRGN waiting = ::CreateRectRgn(0, 0, 0, 0), whole = ::CreateRectRgnIndirect(&client);
    ::GetUpdateRgn(view_->Handle(), waiting, FALSE);
    EXPECT_TRUE(::EqualRgn(waiting, whole)) << "only part of the view is painted again";
    ::DeleteObject(waiting);
    ::DeleteObject(whole);
    PaintAll();

    // Cells of 50 x 50; 30 items.
    const int rows = (client.bottom - 40 + 50) / 50;
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const bool barNeeded = 30 > (client.right / 50) * rows;
    const int columns = (client.right - (barNeeded ? barWidth : 0)) / 50;
    int shown = 0;
    while (view_->HitTest(shown * 50 + 25, 25, true)) ++shown;
    EXPECT_EQ(shown, columns);
    const HWND bar = ::GetDlgItem(view_->Handle(), 1);
    EXPECT_EQ(::IsWindowVisible(bar) != FALSE, barNeeded);
    RECT area = {};
    ::GetWindowRect(bar, &area);
    ::MapWindowPoints(nullptr, view_->Handle(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom);
    if (barNeeded) {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_PAGE;
      ::GetScrollInfo(bar, SB_CTL, &info);
      EXPECT_EQ(int(info.nPage), rows * kScrollRange / ((30 + columns - 1) / columns));
    }
  }

  COuterSplitWnd splitter_;
};

TEST_F(ThumbnailViewInSplitter, MovingTheBarOrHidingAndShowingTheTreeLaysOutAndPaintsTheWholeView) {
  DragBarTo(40);
  ExpectLaidOutAndPaintedAnew("the bar dragged left");
  DragBarTo(140);
  ExpectLaidOutAndPaintedAnew("the bar dragged right");
  splitter_.ToggleLeftColumn();
  ExpectLaidOutAndPaintedAnew("the tree hidden");
  splitter_.ToggleLeftColumn();
  ExpectLaidOutAndPaintedAnew("the tree shown");
}

// Purge, as the menu runs it: the question about subfolders, answered yes, deletes the caches
// below; a locked cache, below or the folder's own, keeps every byte.
TEST_F(ThumbnailView, PurgeDeletesTheCachesBelowButNoLockedOne) {
  WritePicture((folder_ / "a.jpg").string(), 30, 30, 0x123456);
  const std::vector<uint8_t> locked = TncFileBytes({}, kTncVersion, 1), unlocked = TncFileBytes({});
  PutFileBytes((folder_ / kTncFileName).string(), locked);
  for (const char* sub : {"sub", "sub/deeper", "locked"}) {
    fs::create_directories(folder_ / sub);
    PutFileBytes((folder_ / sub / kTncFileName).string(), std::string(sub) == "locked" ? locked : unlocked);
  }
  view_->SetFolder(Folder());
  ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 1; }));

  std::string question;
  {
    UiDriver answer([&] { question = AnswerMessageBox(IDYES); });
    EXPECT_TRUE(view_->OnCommand(ID_CACHE_PURGE));
  }
  EXPECT_EQ(question, "The current directory contains directories\nDo you want to purge them also?");
  Pump(300);
  view_->ClearView();  // waits until the loader closed the cache it was asked to delete

  EXPECT_FALSE(fs::exists(folder_ / "sub" / kTncFileName));
  EXPECT_FALSE(fs::exists(folder_ / "sub" / "deeper" / kTncFileName));
  EXPECT_EQ(FileBytes((folder_ / "locked" / kTncFileName).string()), locked);
  EXPECT_EQ(FileBytes((folder_ / kTncFileName).string()), locked);
}

// Runs as vireldan_view_16bit_test, on a display of that depth: every thumbnail drawn there gets
// a dithered display copy, and only the cells on screen keep theirs.
TEST_F(ThumbnailView, OnAHighColourDisplayOnlyTheCellsOnScreenKeepDisplayCopies) {
  const HDC screen = ::GetDC(nullptr);
  const int depth = ::GetDeviceCaps(screen, BITSPIXEL);
  ::ReleaseDC(nullptr, screen);
  if (depth != 16) GTEST_SKIP() << "needs a 16-bit display";
  ASSERT_EQ(Initialize_Palette(), 1);
  ASSERT_EQ(Cimage::S_16bit_color, 1);
  g_settings.thumbnails.preload = 1;
  for (int i = 0; i < 20; ++i) WritePicture((folder_ / ("p" + std::to_string(100 + i) + ".jpg")).string(), 40, 40, 0x8040C0);
  view_->SetFolder(Folder());
  ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 20; }));
  const auto withCopies = [&] {
    ::InvalidateRect(view_->Handle(), nullptr, FALSE);
    ::UpdateWindow(view_->Handle());
    std::vector<int> positions;
    int position = 1;
    for (CThumbItem* item = view_->Items().GetFirst(); item; item = view_->Items().GetNext(), ++position)
      if (item->thumbnail && item->thumbnail->m_dispBits) positions.push_back(position);
    return positions;
  };
  const auto range = [](int first, int last) {
    std::vector<int> positions;
    for (int position = first; position <= last; ++position) positions.push_back(position);
    return positions;
  };
  // Four columns, two rows.
  EXPECT_EQ(withCopies(), range(1, 8));
  const HWND bar = ::GetDlgItem(view_->Handle(), 1);
  ::SendMessageA(view_->Handle(), WM_VSCROLL, SB_PAGEDOWN, LPARAM(bar));
  EXPECT_EQ(withCopies(), range(9, 16));
  ::SendMessageA(view_->Handle(), WM_VSCROLL, SB_BOTTOM, LPARAM(bar));
  EXPECT_EQ(withCopies(), range(13, 20));
}

// The program's key of path, bound to an item as the Key view binds it.
CKeyIndex::TreeItem ProgramKey(const std::string& path) { return KeyItem(g_keyIndex, path); }

void SelectOnly(CThumbList& items, const std::vector<std::string>& names) {
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
    item->selected = std::find(names.begin(), names.end(), item->name) != names.end();
}

TEST_F(ThumbnailView, TheSelectionIsKeyedAndTheListingFilteredByKeysKeepingTheTopCell) {
  std::vector<std::string> all;
  for (int i = 1; i <= 12; ++i) {
    all.push_back(std::string(i < 10 ? "p0" : "p") + std::to_string(i) + ".jpg");
    WritePicture((folder_ / all.back()).string(), 30, 30, 0x446688);
  }
  view_->SetFolder(Folder());
  CThumbList& items = view_->Items();
  const CKeyIndex::TreeItem anna = ProgramKey("People\\Anna"), people = ProgramKey("People"),
                            places = ProgramKey("Places");
  SelectOnly(items, {"p01.jpg", "p02.jpg", "p07.jpg"});
  view_->SetKeyOnSelected(anna, true);
  SelectOnly(items, {"p07.jpg", "p08.jpg"});
  view_->SetKeyOnSelected(places, true);
  // On disk at once.
  EXPECT_EQ(Describe(ReadIndex(folder_).entries),
            (std::vector<std::string>{"p01.jpg::People\\Anna", "p02.jpg::People\\Anna",
                                      "p07.jpg::People\\Anna|Places", "p08.jpg::Places"}));

  // Four columns and two rows: the last page starts at p05. Filtering keeps it in the top cell.
  ::SendMessageA(view_->Handle(), WM_VSCROLL, SB_BOTTOM, LPARAM(::GetDlgItem(view_->Handle(), 1)));
  ASSERT_EQ(view_->HitTest(10, 10, true)->name, "p05.jpg");
  view_->FilterByKey(people, true);  // AND NOT: a key below counts
  EXPECT_EQ(Names(items), (std::vector<std::string>{"p03.jpg", "p04.jpg", "p05.jpg", "p06.jpg", "p08.jpg",
                                                      "p09.jpg", "p10.jpg", "p11.jpg", "p12.jpg"}));
  EXPECT_EQ(view_->HitTest(10, 10, true)->name, "p05.jpg");
  view_->FilterByKey(places, false);
  EXPECT_EQ(Names(items), std::vector<std::string>{"p08.jpg"});
  view_->FilterByKey(nullptr, false);  // no key selected: nothing to filter by
  EXPECT_EQ(Names(items), std::vector<std::string>{"p08.jpg"});

  view_->SetFolder(Folder());  // the folder shown before the filters is listed anew
  EXPECT_EQ(Names(items), all);
  SelectOnly(items, {"p02.jpg", "p07.jpg"});
  view_->SetKeyOnSelected(people, false);  // unkeying takes the keys below too
  EXPECT_EQ(Describe(ReadIndex(folder_).entries),
            (std::vector<std::string>{"p01.jpg::People\\Anna", "p07.jpg::Places", "p08.jpg::Places"}));
}

TEST_F(ThumbnailView, AKeyingThatCannotBeWrittenIsToldAndTheIndexKept) {
  WritePicture((folder_ / "a.jpg").string(), 30, 30, 0x446688);
  view_->SetFolder(Folder());
  SelectOnly(view_->Items(), {"a.jpg"});
  view_->SetKeyOnSelected(ProgramKey("K"), true);
  const std::vector<uint8_t> before = FileBytes(IndexPath(folder_));
  ASSERT_TRUE(::SetFileAttributesA(IndexPath(folder_).c_str(), FILE_ATTRIBUTE_READONLY));
  std::string message;
  {
    UiDriver answer([&] { message = AnswerMessageBox(IDOK); });
    view_->SetKeyOnSelected(ProgramKey("L"), true);
  }
  EXPECT_EQ(message, "An error occurred writing to an index file - vireldan.iif\nBe sure they are not marked Read Only");
  EXPECT_EQ(FileBytes(IndexPath(folder_)), before);
  ::SetFileAttributesA(IndexPath(folder_).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Paths of the items below the test folder.
std::vector<std::string> Shown(CThumbList& items, const std::string& base) {
  std::vector<std::string> paths;
  for (CThumbItem* item = items.GetFirst(); item; item = items.GetNext())
    paths.push_back(item->folder.substr(base.size()) + item->name);
  return paths;
}

TEST_F(ThumbnailView, KeySearchHitsReplaceTheListingOrJoinItOnceEach) {
  for (const char* sub : {"x", "y"}) fs::create_directories(folder_ / sub);
  for (const char* name : {"x\\a.jpg", "x\\c.jpg", "y\\b.jpg"}) WritePicture(Folder() + name, 60, 30, 0x224466);
  const CKeyIndex::TreeItem k = ProgramKey("K"), l = ProgramKey("L");
  for (const char* name : {"x\\a.jpg", "y\\b.jpg"}) g_keyIndex.SetFileKey(k, Folder() + name, true);
  for (const char* name : {"x\\c.jpg", "y\\b.jpg"}) g_keyIndex.SetFileKey(l, Folder() + name, true);
  ASSERT_TRUE(g_keyIndex.SaveFolder());
  view_->SetFolder(Folder());
  KeyWalkObserver never;

  g_settings.thumbnails.sortby = kSortByName;
  g_keyIndex.SearchKey(folder_.string(), k, never);
  view_->ShowKeySearchResults(g_keyIndex.Results(), false);
  g_keyIndex.FreeResults();
  CThumbList& items = view_->Items();
  EXPECT_EQ(Shown(items, Folder()), (std::vector<std::string>{"x\\a.jpg", "y\\b.jpg"}));
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 2; })) << "the hits' files are read when they are loaded";
  EXPECT_EQ(items.GetFirst()->thumbnail->m_origWidth, 60);

  // An OR search: unsorted, new hits go in front, a file already shown is not shown twice.
  g_settings.thumbnails.sortby = kSortByDate;
  g_keyIndex.SearchKey(folder_.string(), l, never);
  view_->ShowKeySearchResults(g_keyIndex.Results(), true);
  g_keyIndex.FreeResults();
  EXPECT_EQ(Shown(items, Folder()), (std::vector<std::string>{"x\\c.jpg", "x\\a.jpg", "y\\b.jpg"}));
  view_->ShowKeySearchResults(nullptr, false);  // a search begins with an empty view
  EXPECT_EQ(items.GetCount(), 0);
}

}  // namespace
