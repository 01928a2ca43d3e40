// The thumbnail view under Wine: a real folder of pictures is listed sorted, its thumbnails come
// from the loader thread, visible cells first; a second visit takes them from the cache; a click
// selects; scrolling to the end of a long listing stays inside it; refreshing follows new and
// removed files while the program's own side files cause no relisting; the mouse and keyboard
// select, open and reorder; the selection dragged out of the view reaches another window as a file
// drop; a size change by a splitter lays out and paints the whole view anew; the Purge command
// keeps locked caches; on a 16-bit display only the cells on screen keep dithered display copies;
// Cache Info shows the loader's state and figures; the selection is keyed, the listing filtered by
// keys, and key search hits shown; and the tools on the selected files change the files, keys and
// clipboard as they should.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "camera_date_segment.h"
#include "batch_threads.h"
#include "command_ids.h"
#include "pane_splitters.h"
#include "folder_change_watch.h"
#include "fpx_segments.h"
#include "jpegtran_runner.h"
#include "image_listing.h"
#include "key_test_support.h"
#include "name_node.h"
#include "message_pump.h"
#include "missing_files.h"
#include "ole_drop_target.h"
#include "private_messages.h"
#include "resource.h"
#include "slide_order_bytes.h"
#include "thumb_decode.h"
#include "temp_folder.h"
#include "thumb_loader.h"
#include "tnc_test_support.h"
#include "ui_driver.h"
#include "thumb_list_builders.h"
#include "view_test_host.h"
#include "vireldan_view.h"

namespace {

namespace fs = std::filesystem;

using Host = ViewTestHost;

void WritePicture(const std::string& path, int width, int height, unsigned colour) {
  Cimage picture;
  picture.Blank(width, height, colour);
  picture.SaveImage(path.c_str());
  ASSERT_FALSE(picture.m_saveError) << path;
}

std::atomic<int> g_decodes{0};
ThumbDecoder g_libraryDecoder = nullptr;

void CountingDecoder(const std::string& path, int edge, Cimage& image) {
  ++g_decodes;
  g_libraryDecoder(path, edge, image);
}

// The message loop with the window's timer messages left out, until done() (bounded).
bool PumpWithoutTimersOf(HWND window, const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  MSG message;
  while (!done()) {
    if (::GetTickCount() - start > 60000) return false;
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      continue;
    }
    if (message.message == WM_TIMER && message.hwnd == window) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return true;
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

TEST_F(ThumbnailView, PreloadFillsTheRestAndASecondVisitComesFromTheCacheUndecodedAndPaintedAtOnce) {
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
  // therefore gains nothing, and no file is decoded. The screen is painted as soon as its last
  // thumbnail is there, not at the next tick of the view's timer (held back here).
  MakeView();
  g_decodes = 0;
  g_libraryDecoder = ReplaceThumbDecoder(CountingDecoder);
  view_->SetFolder(Folder());
  const bool loaded = PumpWithoutTimersOf(view_->Handle(), [&] { return Loaded(view_->Items()) == 20; });
  ReplaceThumbDecoder(g_libraryDecoder);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(g_decodes, 0);
  const HDC dc = ::GetDC(view_->Handle());
  for (const POINT& cell : {POINT{27, 27}, POINT{3 * 50 + 27, 50 + 27}}) {  // the first and the eighth
    const COLORREF shown = ::GetPixel(dc, cell.x, cell.y);
    EXPECT_NEAR(GetRValue(shown), 0x80, 12) << cell.x;
    EXPECT_NEAR(GetGValue(shown), 0x80, 12) << cell.x;
  }
  ::ReleaseDC(view_->Handle(), dc);
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

// The mouse and keyboard as the user drives them, through posted messages: twelve landscape
// pictures a..l in four columns and two rows of 50-pixel cells; a thumbnail (40 x 20) answers
// from (5, 25) to (45, 45) of its cell.
class ThumbnailViewInput : public ThumbnailView {
 protected:
  // On top of everything else on the display, where no other test's window lies, since the view
  // asks which window is under the pointer.
  void SetUp() override {
    ThumbnailView::SetUp();
    ::SetWindowPos(host_.Handle(), HWND_TOPMOST, 700, 650, 0, 0, SWP_NOSIZE);
  }
  void List(int sortType = kSortByName) {
    g_settings.thumbnails.sortby = sortType;
    for (char name = 'a'; name <= 'l'; ++name)
      WritePicture((folder_ / (std::string(1, name) + ".jpg")).string(), 60, 30, 0x336699);
    view_->SetFolder(Folder());
    ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 8; }));
  }
  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
  // The middle of the thumbnail of the cell at column and row.
  static LPARAM Cell(int column, int row) { return At(column * 50 + 25, row * 50 + 35); }
  void Post(UINT message, WPARAM flags, LPARAM point) {
    ::PostMessageA(view_->Handle(), message, flags, point);
    Pump(30);
  }
  void Click(LPARAM point, WPARAM keys = 0) {
    Post(WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
    Post(WM_LBUTTONUP, keys, point);
  }
  void Key(UINT key) { Post(WM_KEYDOWN, key, 1); }
  std::string Selected() {
    std::string names;
    for (CThumbItem* item = view_->Items().GetFirstSelected(); item; item = view_->Items().GetNextSelected())
      names += item->name[0];
    return names;
  }
  std::string Order() {
    std::string names;
    for (const std::string& name : Names(view_->Items())) names += name[0];
    return names;
  }
  char TopLeft() {
    const CThumbItem* item = view_->HitTest(6, 6, true);
    return item ? item->name[0] : '-';
  }
};

TEST_F(ThumbnailViewInput, ClicksWithCtrlAndShiftAndRubberBandsSelect) {
  List();
  Click(Cell(0, 0));
  EXPECT_EQ(Selected(), "a");
  Click(Cell(2, 0), MK_CONTROL);
  EXPECT_EQ(Selected(), "ac");
  Click(Cell(1, 1), MK_SHIFT);  // from the anchor c to f
  EXPECT_EQ(Selected(), "acdef");
  Click(Cell(2, 0), MK_CONTROL);  // Ctrl on a selected item deselects it
  EXPECT_EQ(Selected(), "adef");
  Click(Cell(1, 0));
  EXPECT_EQ(Selected(), "b");
  view_->OnCommand(ID_RESELECT);
  EXPECT_EQ(Selected(), "adef");

  // A band from the margin of the first cell over the first row's boxes takes a, b and c.
  Post(WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  Post(WM_MOUSEMOVE, MK_LBUTTON, At(60, 20));
  Post(WM_MOUSEMOVE, MK_LBUTTON, At(120, 30));
  Post(WM_LBUTTONUP, 0, At(120, 30));
  EXPECT_EQ(Selected(), "abc");
  // With Ctrl the band adds to the selection and never deselects.
  Post(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(98, 98));
  Post(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, At(60, 60));
  Post(WM_LBUTTONUP, MK_CONTROL, At(60, 60));
  EXPECT_EQ(Selected(), "abcf");

  view_->OnCommand(ID_INVERT_SELECTION);
  EXPECT_EQ(Selected(), "deghijkl");
  view_->OnCommand(ID_SELECT_ALL);
  EXPECT_EQ(Selected(), "abcdefghijkl");
  view_->OnCommand(ID_DESELECT_ALL);
  EXPECT_EQ(Selected(), "");
}

TEST_F(ThumbnailViewInput, ArrowsMoveTheSelectionAndScrollAndPagesScroll) {
  List();
  Key(VK_RIGHT);  // nothing selected: the first item
  EXPECT_EQ(Selected(), "a");
  Click(Cell(1, 1));
  EXPECT_EQ(Selected(), "f");
  Key(VK_DOWN);  // from the last visible row: a line down first
  EXPECT_EQ(Selected(), "j");
  EXPECT_EQ(TopLeft(), 'e');
  Key(VK_LEFT);
  EXPECT_EQ(Selected(), "i");
  Key(VK_UP);
  EXPECT_EQ(Selected(), "e");
  EXPECT_EQ(TopLeft(), 'e');
  Key(VK_LEFT);  // e is the first visible cell: a line up first
  EXPECT_EQ(Selected(), "d");
  EXPECT_EQ(TopLeft(), 'a');
  Key(VK_UP);  // no row above
  EXPECT_EQ(Selected(), "d");
  Key(VK_NEXT);
  EXPECT_EQ(TopLeft(), 'e');  // the last page is full
  Key(VK_PRIOR);
  EXPECT_EQ(TopLeft(), 'a');
  Click(Cell(3, 1));  // h, the last visible cell
  Key(VK_RIGHT);
  EXPECT_EQ(Selected(), "i");
  EXPECT_EQ(TopLeft(), 'e');
  Key(VK_NEXT);
  Click(Cell(3, 1));  // l, the last item: Right does nothing
  EXPECT_EQ(Selected(), "l");
  Key(VK_RIGHT);
  EXPECT_EQ(Selected(), "l");

  // The image windows' next wraps from the last item to the first and opens it.
  ::SendMessageA(view_->Handle(), WM_SELECT_ADJACENT, 0, 0);
  EXPECT_EQ(Selected(), "a");
  EXPECT_TRUE(view_->ProcessOpenQueue());
  EXPECT_FALSE(view_->ProcessOpenQueue());
}

struct CaptionSearch {
  std::string prefix;
  HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<CaptionSearch*>(data);
  char caption[128] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  if (std::string(caption).rfind(search->prefix, 0) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The image window a double-click opened: this thread's window captioned with the file's name.
HWND ImageWindowOf(const char* name) {
  CaptionSearch search{std::string(name) + " "};
  ::EnumThreadWindows(::GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A double-click opens the item's picture at once, as the settings say; it does not wait in the
// open queue, which is the Open command's.
TEST_F(ThumbnailViewInput, ADoubleClickOpensTheItemInAnImageWindow) {
  List();
  Post(WM_LBUTTONDOWN, MK_LBUTTON, Cell(1, 0));
  Post(WM_LBUTTONUP, 0, Cell(1, 0));
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, Cell(1, 0));
  Post(WM_LBUTTONUP, 0, Cell(1, 0));
  EXPECT_EQ(Selected(), "b");
  HWND window = ImageWindowOf("b.jpg");
  ASSERT_TRUE(window);
  EXPECT_FALSE(view_->ProcessOpenQueue());
  ::DestroyWindow(window);
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, At(2, 2));  // on no item
  EXPECT_FALSE(ImageWindowOf("b.jpg"));
  EXPECT_FALSE(view_->ProcessOpenQueue());
}

// Dragging c and d onto a in slide order puts them first and records the order; in name order the
// same drag moves only the picture.
TEST_F(ThumbnailViewInput, DraggingTheSelectionInSlideOrderWritesTheNewOrder) {
  const std::string sts = (folder_ / "vireldan.sts").string();
  for (const int sortType : {kSortByName, kSortBySlideOrder}) {
    SCOPED_TRACE(sortType);
    std::string order = SlideHeader();
    for (char name = 'a'; name <= 'l'; ++name) order += SlideRecordBytes(std::string(1, name) + ".jpg", name - 'a');
    std::ofstream(sts, std::ios::binary) << order;
    MakeView();
    List(sortType);
    Click(Cell(2, 0));
    Click(Cell(3, 0), MK_CONTROL);
    ASSERT_EQ(Selected(), "cd");
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Cell(2, 0));
    Post(WM_MOUSEMOVE, MK_LBUTTON, At(90, 30));
    Post(WM_MOUSEMOVE, MK_LBUTTON, At(20, 30));
    EXPECT_EQ(::GetCapture(), view_->Handle());
    Post(WM_LBUTTONUP, 0, At(20, 30));
    EXPECT_EQ(::GetCapture(), nullptr);
    const std::string expected = sortType == kSortBySlideOrder ? "cdabefghijkl" : "abcdefghijkl";
    EXPECT_EQ(Order(), expected);
    // Renumbered from 0 in the new order; in name order the file keeps every byte.
    std::string recorded = SlideHeader();
    for (size_t position = 0; position < expected.size(); ++position)
      recorded += SlideRecordBytes(std::string(1, expected[position]) + ".jpg", uint32_t(position));
    const std::vector<uint8_t> bytes = FileBytes(sts);
    const std::string written(bytes.begin(), bytes.end());
    EXPECT_TRUE(written == (sortType == kSortBySlideOrder ? recorded : order)) << SlideRecordsText(written);
  }
}

// A window of another program that takes dropped files: what arrived, and what the drop did.
class FileDropWindow : public Window, private DropTargetEvents {
 public:
  FileDropWindow() : target_(*this) {}
  ~FileDropWindow() override { target_.Revoke(); }
  bool Open(RECT at) {
    if (!Create(WS_EX_TOPMOST, "drop here", WS_POPUP | WS_BORDER | WS_VISIBLE, at.left, at.top, at.right - at.left,
                at.bottom - at.top, nullptr, nullptr))
      return false;
    return target_.Register(Handle());
  }
  // The effect the target chooses; with a folder to move to, a move takes the files there itself.
  DWORD effect = DROPEFFECT_COPY;
  std::string moveTo;
  std::string leaveInPlace;  // a path the move fails for
  std::atomic<bool> entered{false}, dropped{false};
  std::vector<std::string> paths;
  bool offeredHdrop = false;
  std::function<void()> whileOver;  // runs once, while the drag is over the window

 private:
  DWORD OnDragEnter(IDataObject* data, DWORD, POINT) override {
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    offeredHdrop = data->QueryGetData(&format) == S_OK;
    if (whileOver) whileOver();
    entered = true;
    return effect;
  }
  DWORD OnDragOver(DWORD, POINT) override { return effect; }
  void OnDragLeave() override {}
  DWORD OnDrop(IDataObject* data, DWORD, POINT) override {
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (data->GetData(&format, &medium) == S_OK) {
      const HDROP drop = static_cast<HDROP>(medium.hGlobal);
      const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = {};
        ::DragQueryFileA(drop, i, path, MAX_PATH);
        paths.push_back(path);
        if (!moveTo.empty() && paths.back() != leaveInPlace) {
          const std::string name = paths.back().substr(paths.back().rfind('\\') + 1);
          ::MoveFileA(path, (moveTo + "\\" + name).c_str());
        }
      }
      ::ReleaseStgMedium(&medium);
    }
    dropped = true;
    return effect;
  }

  OleDropTarget target_;
};

// Dragging the selection out of the view with the real mouse (SendInput from a second thread,
// while this one runs the view's messages and the drag's own loop), into a window that takes
// dropped files, also on top.
class ThumbnailViewDragOut : public ThumbnailViewInput {
 protected:
  void SetUp() override {
    ThumbnailViewInput::SetUp();
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    g_settings.mainOptions.rightopen = 0;
    List();
    Click(Cell(2, 0));
    Click(Cell(3, 0), MK_CONTROL);
    ASSERT_EQ(Selected(), "cd");
  }
  void TearDown() override {
    drop_.Destroy();
    ThumbnailViewInput::TearDown();
    ::OleUninitialize();
  }
  POINT Screen(int x, int y) const {
    POINT point = {x, y};
    ::ClientToScreen(view_->Handle(), &point);
    return point;
  }
  HWND CaptureOfThisThread() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(thread_, &info);
    return info.hwndCapture;
  }
  // Presses the button on c's thumbnail and moves past the drag threshold: the selection floats
  // with the pointer inside the view. Then on to the screen point, and the button goes up there
  // (once the drop window felt the drag, when the pointer reached it).
  void DragTo(POINT target) {
    std::atomic<bool> done{false}, onC{false};
    UiDriver driver([&] {
      const POINT start = Screen(2 * 50 + 25, 35);
      onC = MoveMouseTo(start);
      if (!onC) {
        done = true;
        return;
      }
      PressLeftButton(true);
      MoveMouseTo(POINT{start.x - 15, start.y});
      WaitFor([&] { return CaptureOfThisThread() == view_->Handle(); });
      MoveMouseTo(target);
      // The drag's loop looks at the pointer as it moves.
      for (int step = 0; step < 100 && !drop_.entered && CaptureOfThisThread(); ++step) {
        MoveMouseTo(POINT{target.x + 1 + step % 2, target.y});
        ::Sleep(20);
      }
      PressLeftButton(false);
      WaitFor([&] { return drop_.dropped || !drop_.entered; }, 5000);
      done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }, 30000));
    ASSERT_TRUE(onC) << "the pointer did not stay on c";
    Pump(50);
  }
  static std::string Path(const fs::path& path) { return path.string(); }

  const DWORD thread_ = ::GetCurrentThreadId();
  FileDropWindow drop_;
};

// Off the right edge onto a window that copies: the window gets c and d, in list order, as a
// CF_HDROP drop; the view hides them while the drag runs, lists them still after it, and watches
// its folder again.
TEST_F(ThumbnailViewDragOut, OffTheRightEdgeTheFilesAreOfferedAsADrop) {
  RECT host = {};
  ::GetWindowRect(host_.Handle(), &host);
  ASSERT_TRUE(drop_.Open(RECT{host.right + 20, host.top, host.right + 220, host.top + 150}));
  COLORREF frameDuringDrag = CLR_INVALID;
  drop_.whileOver = [&] {
    // The top-left corner of c's selection frame.
    const HDC dc = ::GetDC(view_->Handle());
    frameDuringDrag = ::GetPixel(dc, 2 * 50 + 4, 4);
    ::ReleaseDC(view_->Handle(), dc);
  };
  DragTo(POINT{host.right + 120, host.top + 60});
  ASSERT_TRUE(drop_.dropped);
  EXPECT_TRUE(drop_.offeredHdrop);
  EXPECT_EQ(drop_.paths, (std::vector<std::string>{Path(folder_ / "c.jpg"), Path(folder_ / "d.jpg")}));
  EXPECT_NE(frameDuringDrag, ::GetSysColor(COLOR_HIGHLIGHT)) << "the selection stayed on show";
  EXPECT_EQ(Order(), "abcdefghijkl");
  EXPECT_EQ(Selected(), "cd");
  EXPECT_FALSE(view_->ProcessOpenQueue());

  WritePicture((folder_ / "m.jpg").string(), 60, 30, 0x336699);
  EXPECT_TRUE(PumpUntil([&] { return view_->Items().GetCount() == 13; }, 20000)) << "the folder is no longer watched";
}

// Down onto another window that moves the files away: the view lists what is left.
TEST_F(ThumbnailViewDragOut, AfterAMoveTheFilesLeaveTheListing) {
  const fs::path elsewhere = folder_ / "elsewhere";
  fs::create_directories(elsewhere);
  RECT host = {};
  ::GetWindowRect(host_.Handle(), &host);
  ASSERT_TRUE(drop_.Open(RECT{host.left, host.bottom + 20, host.left + 200, host.bottom + 170}));
  drop_.effect = DROPEFFECT_MOVE;
  drop_.moveTo = Path(elsewhere);
  DragTo(POINT{host.left + 60, host.bottom + 60});
  ASSERT_TRUE(drop_.dropped);
  EXPECT_TRUE(fs::exists(elsewhere / "c.jpg"));
  EXPECT_TRUE(fs::exists(elsewhere / "d.jpg"));
  EXPECT_EQ(Order(), "abefghijkl");
}

// A listing of a folder tree is not listed again after a move: the items of the files that went
// leave it, and a file the target failed to move stays.
TEST_F(ThumbnailViewDragOut, InAFolderTreeListingOnlyTheFilesThatWentLeave) {
  const fs::path elsewhere = folder_ / "elsewhere";
  fs::create_directories(elsewhere);
  view_->ShowSubfolderContents();
  Click(Cell(2, 0));
  Click(Cell(3, 0), MK_CONTROL);
  ASSERT_EQ(Selected(), "cd");
  RECT host = {};
  ::GetWindowRect(host_.Handle(), &host);
  ASSERT_TRUE(drop_.Open(RECT{host.left, host.bottom + 20, host.left + 200, host.bottom + 170}));
  drop_.effect = DROPEFFECT_MOVE;
  drop_.moveTo = Path(elsewhere);
  drop_.leaveInPlace = Path(folder_ / "d.jpg");
  DragTo(POINT{host.left + 60, host.bottom + 60});
  ASSERT_TRUE(drop_.dropped);
  EXPECT_EQ(Order(), "abdefghijkl");
}

// With "Right Edge Open" on, leaving by the right edge opens the selection instead.
TEST_F(ThumbnailViewDragOut, WithRightEdgeOpenTheRightEdgeQueuesTheSelection) {
  g_settings.mainOptions.rightopen = 1;
  RECT host = {};
  ::GetWindowRect(host_.Handle(), &host);
  ASSERT_TRUE(drop_.Open(RECT{host.right + 20, host.top, host.right + 220, host.top + 150}));
  DragTo(POINT{host.right + 120, host.top + 60});
  EXPECT_FALSE(drop_.entered);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(view_->ProcessOpenQueue());
  EXPECT_TRUE(view_->ProcessOpenQueue());
  EXPECT_FALSE(view_->ProcessOpenQueue());
  EXPECT_EQ(Order(), "abcdefghijkl");
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

TEST_F(ThumbnailView, CacheInfoShowsTheLoadersStateAndFigures) {
  g_settings.thumbnails.preload = 1;
  g_settings.thumbnails.dosmall = 1;  // the pictures are small files
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) WritePicture((folder_ / name).string(), 30, 30, 0x123456);
  view_->SetFolder(Folder());
  ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 3; }));
  view_->StopLoader();
  const int sizeKB = TncSizeKB(fs::file_size(folder_ / kTncFileName));

  // A second visit finds every thumbnail in the cache.
  MakeView();
  view_->SetFolder(Folder());
  ASSERT_TRUE(PumpUntil([&] { return Loaded(view_->Items()) == 3; }));
  std::vector<std::string> lines;
  {
    UiDriver user([&] {
      const HWND dialog = WaitForWindow("Thumbnail cache info");
      if (!dialog) return;
      for (int id : {1111, 1107, 1108, 1109, 1112}) {
        char text[128] = {};
        ::GetDlgItemTextA(dialog, id, text, sizeof text);
        lines.push_back(text);
      }
      PressButton(dialog, IDOK);
    });
    EXPECT_TRUE(view_->OnCommand(ID_CACHE_INFO));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"Normal", "3 thumbnail images", "3 correct size", "3 cache hits",
                                              "Cache file size: " + std::to_string(sizeKB) + "Kb "}));
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

namespace {

// Create Index image refuses on a palette display, and makes no empty picture of a selection
// whose thumbnails are not loaded yet; both say why.
TEST_F(ThumbnailView, CreateIndexImageNeedsATrueColourDisplayAndLoadedThumbnails) {
  const int usePalette = Cimage::S_use_palette;
  Cimage::S_use_palette = 1;
  std::string told;
  {
    UiDriver user([&] { told = AnswerMessageBox(IDOK); });
    view_->OnCommand(ID_CREATE_INDEX);
  }
  Cimage::S_use_palette = usePalette;
  EXPECT_EQ(told,
            "You cannot create index images when the display is\noperating in a palette based mode.\nSwitch to "
            "high-color, or true-color and try again");

  for (const char* name : {"a.jpg", "b.jpg"}) WritePicture((folder_ / name).string(), 30, 30, 0x123456);
  view_->SetFolder(Folder());
  view_->StopLoader();  // no thumbnail comes while the dialog runs
  view_->SelectAll();
  std::string selected;
  {
    UiDriver user([&] {
      const HWND dialog = WaitForWindow("Create an index image");
      if (!dialog) return;
      char text[64] = {};
      ::GetDlgItemTextA(dialog, IDC_INDEX_SELECTED, text, sizeof text);
      selected = text;
      PressButton(dialog, IDOK);
      told = AnswerMessageBox(IDOK);
    });
    view_->OnCommand(ID_CREATE_INDEX);
  }
  EXPECT_EQ(selected, "2 Images selected");
  EXPECT_EQ(told, "None of the selected images has its thumbnail yet: the index image would be empty.");
}

// Tools on the selected files: names as HTML on the clipboard for each key held, the annotation
// dialog, file times from a camera's EXIF date, the sound memo written beside its picture, the
// lossless turn on its worker against jpegtran, selecting like names and Auto Sort with the keys
// following the files.

const char kSquarePhoto[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";          // 1040 x 1040

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return "(clipboard busy)";
  if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// Holds the key (or none) in this thread's key state, as GetKeyState reads it.
void HoldOnly(int key) {
  BYTE keys[256] = {};
  if (key) keys[key] = 0x80;
  ::SetKeyboardState(keys);
}

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

FILETIME LastWrite(const fs::path& path) {
  FILETIME written = {};
  const HANDLE file = ::CreateFileA(path.string().c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ::GetFileTime(file, nullptr, nullptr, &written);
  ::CloseHandle(file);
  return written;
}

void SetLastWrite(const fs::path& path, FILETIME time) {
  const HANDLE file = ::CreateFileA(path.string().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ::SetFileTime(file, &time, nullptr, &time);
  ::CloseHandle(file);
}

uint64_t Ticks(FILETIME time) { return platform::FileTimeTicks(time); }

TEST_F(ThumbnailView, CopyFilenameHtmlPutsEachKeysTextOnTheClipboard) {
  WritePicture((folder_ / "my photo.jpg").string(), 60, 30, 0x336699);
  view_->SetFolder(Folder());
  CThumbList& items = view_->Items();
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 1; }));
  items.GetFirst()->selected = 1;
  const struct {
    int key;
    std::string text;
  } cases[] = {
      {0, Folder() + "my photo.jpg"},
      {VK_MENU, "my photo.jpg"},
      {VK_CONTROL, "<IMG SRC =\"my%20photo.jpg\" WIDTH=60  HEIGHT=30>"},
      {VK_SHIFT, "<A HREF=\"my%20photo.jpg\"><IMG SRC =\"thumbnails/my%20photo.jpg\"></A>"},
  };
  for (const auto& c : cases) {
    HoldOnly(c.key);
    EXPECT_TRUE(view_->OnCommand(ID_COPY_FILENAME_HTML));
    EXPECT_EQ(ClipboardText(host_.Handle()), c.text) << c.key;
  }
  HoldOnly(0);
  CommandState state;
  state.id = ID_COPY_FILENAME_HTML;
  items.GetFirst()->selected = 0;
  ASSERT_TRUE(view_->OnUpdateCommand(state));
  EXPECT_FALSE(state.enabled);  // only with exactly one selected
}

TEST_F(ThumbnailView, EditAnnotationStoresTheTextInTheFoldersIndex) {
  WritePicture((folder_ / "a.jpg").string(), 30, 30, 0x446688);
  view_->SetFolder(Folder());
  view_->Items().GetFirst()->selected = 1;
  {
    UiDriver type([] {
      const HWND dialog = WaitForWindow("Edit Annotation");
      if (!dialog) return;
      ::SetDlgItemTextA(dialog, 1091, "Sunset at the pier");
      PressButton(dialog, 1251);
    });
    view_->OnCommand(ID_EDIT_ANNOTATION);
  }
  g_keyIndex.Clear();  // read back from the folder's file, not from memory
  std::string annotation;
  EXPECT_TRUE(g_keyIndex.GetAnnotation(Folder() + "a.jpg", &annotation));
  EXPECT_EQ(annotation, "Sunset at the pier");
  EXPECT_TRUE(fs::exists(folder_ / "vireldan.iif"));
}

TEST_F(ThumbnailView, SynchDateSetsTheFileTimesFromTheExifDateAndKeepsTheBytes) {
  if (!fs::exists(kSquarePhoto)) SKIP_OR_FAIL_MISSING(std::string(kSquarePhoto) + " is not installed");
  Make("camera.jpg", camera_date::WithDateTaken(FileText(kSquarePhoto), "2021:10:27 18:59:15"));
  WritePicture((folder_ / "plain.jpg").string(), 30, 30, 0x446688);
  const std::string bytes = FileText(folder_ / "camera.jpg");
  const uint64_t plainBefore = Ticks(LastWrite(folder_ / "plain.jpg"));
  view_->SetFolder(Folder());
  view_->SelectAll();
  std::string message;
  {
    UiDriver answer([&] { message = AnswerMessageBox(IDOK); });
    view_->OnCommand(ID_SYNC_DATE_TO_EXIF);
  }
  EXPECT_EQ(message, "No EXIF date could be given to:\nplain.jpg");
  const SYSTEMTIME taken = {2021, 10, 0, 27, 18, 59, 15, 0};
  SYSTEMTIME utc = {};
  FILETIME expected = {};
  ASSERT_TRUE(::TzSpecificLocalTimeToSystemTime(nullptr, &taken, &utc) && ::SystemTimeToFileTime(&utc, &expected));
  EXPECT_EQ(Ticks(LastWrite(folder_ / "camera.jpg")), Ticks(expected));
  EXPECT_EQ(Ticks(view_->Items().GetFirst()->lastWrite), Ticks(expected));  // the caption follows
  EXPECT_EQ(FileText(folder_ / "camera.jpg"), bytes);
  EXPECT_EQ(Ticks(LastWrite(folder_ / "plain.jpg")), plainBefore);
}

TEST_F(ThumbnailView, ExtractAudioWritesTheMemoBesideItsPictureAndNeverOverwrites) {
  if (!fs::exists(kSquarePhoto)) SKIP_OR_FAIL_MISSING(std::string(kSquarePhoto) + " is not installed");
  const std::string photo = FileText(kSquarePhoto);
  const fpx_test::Bytes sound = fpx_test::TestSound(300);
  Make("memo.jpg", fpx_test::WithSoundMemo(photo, sound));
  fs::copy_file(kSquarePhoto, folder_ / "quiet.jpg");
  view_->SetFolder(Folder());
  view_->SelectAll();
  view_->OnCommand(ID_EXTRACT_AUDIO);
  EXPECT_EQ(FileText(folder_ / "memo.wav"), std::string(sound.begin(), sound.end()));
  EXPECT_FALSE(fs::exists(folder_ / "quiet.wav"));

  Make("memo.wav", "the user's own recording");
  std::string message;
  {
    UiDriver answer([&] { message = AnswerMessageBox(IDOK); });
    view_->OnCommand(ID_EXTRACT_AUDIO);
  }
  EXPECT_EQ(message, "These sound files exist already and were kept:\nmemo.wav");
  EXPECT_EQ(FileText(folder_ / "memo.wav"), "the user's own recording");
}

TEST_F(ThumbnailView, LosslessRotationTurnsTheSelectionAsJpegtranDoesAndKeepsTheFileTimes) {
  if (!fs::exists(kSquarePhoto)) SKIP_OR_FAIL_MISSING(std::string(kSquarePhoto) + " is not installed");
  const FILETIME old = platform::FileTimeFromTicks(125000000000000000ull);  // 1997
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    fs::copy_file(kSquarePhoto, folder_ / name);
    SetLastWrite(folder_ / name, old);
  }
  std::string why;
  const std::string expected = (folder_.parent_path() / "jpegtran-clockwise.jpg").string();
  if (!RunJpegtran(JpegtranOptions(5), kSquarePhoto, expected, &why)) SKIP_OR_FAIL_MISSING(why);
  view_->SetFolder(Folder());
  SelectOnly(view_->Items(), {"a.jpg", "c.jpg"});
  const std::string original = FileText(folder_ / "a.jpg");
  {
    UiDriver confirm([] {
      if (const HWND question = WaitForWindow("File exists")) PressButton(question, IDC_YES_TO_ALL);
    });
    view_->OnCommand(ID_LOSSLESS_CLOCKWISE);
    EXPECT_EQ(view_->Items().CountSelected(), 0);
    ASSERT_TRUE(PumpUntil([&] {
      return FileText(folder_ / "a.jpg") != original && FileText(folder_ / "c.jpg") != original;
    }));
  }
  ASSERT_TRUE(StopBatchThreads(30000));
  Cimage ours, theirs;
  for (const char* name : {"a.jpg", "c.jpg"}) {
    ours.LoadImageA((folder_ / name).string().c_str(), 0, 0, 5);
    theirs.LoadImageA(expected.c_str(), 0, 0, 5);
    ASSERT_TRUE(ours.m_valid && theirs.m_valid) << name;
    ASSERT_EQ(ours.m_width, theirs.m_width);
    ASSERT_EQ(ours.m_height, theirs.m_height);
    EXPECT_EQ(std::memcmp(ours.m_pixels, theirs.m_pixels, size_t(ours.m_stride) * ours.m_height), 0) << name;
    EXPECT_EQ(Ticks(LastWrite(folder_ / name)), Ticks(old)) << name;
  }
  EXPECT_EQ(FileText(folder_ / "b.jpg"), original);  // not selected
}

// A worker rewrote the file in place, keeping its times but not its size: the item's thumbnail is
// made again from the new picture.
TEST_F(ThumbnailView, AFileRewrittenByAWorkerGetsItsThumbnailMadeAgain) {
  WritePicture((folder_ / "a.jpg").string(), 60, 30, 0x336699);
  view_->SetFolder(Folder());
  CThumbList& items = view_->Items();
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 1; }));
  const FILETIME written = LastWrite(folder_ / "a.jpg");
  WritePicture((folder_ / "a.jpg").string(), 900, 1200, 0x993366);
  SetLastWrite(folder_ / "a.jpg", written);
  const std::string path = Folder() + "a.jpg";
  ::SendMessageA(view_->Handle(), WM_FILE_CHANGED, reinterpret_cast<WPARAM>(path.c_str()), 0);
  EXPECT_EQ(items.GetFirst()->thumbnail, nullptr);
  EXPECT_EQ(items.GetFirst()->sizeKB, int32_t(fs::file_size(folder_ / "a.jpg") >> 10));
  ASSERT_TRUE(PumpUntil([&] { return Loaded(items) == 1; }));
  EXPECT_EQ(items.GetFirst()->thumbnail->m_origWidth, 900);
}

TEST_F(ThumbnailView, SelectLikeFilenamesSelectsTheSeriesAndCopiesItsPrefix) {
  for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "DSC0001.jpg", "IMG_0003.jpg"})
    WritePicture((folder_ / name).string(), 30, 30, 0x446688);
  view_->SetFolder(Folder());
  SelectOnly(view_->Items(), {"IMG_0002.jpg"});
  view_->OnCommand(ID_SELECT_LIKE_FILENAMES);
  std::vector<std::string> selected;
  for (CThumbItem* item = view_->Items().GetFirstSelected(); item; item = view_->Items().GetNextSelected())
    selected.push_back(item->name);
  EXPECT_EQ(selected, (std::vector<std::string>{"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg"}));
  EXPECT_EQ(ClipboardText(host_.Handle()), "IMG_");
}

TEST_F(ThumbnailView, AutoSortMovesEachSeriesIntoItsSubfolderWithItsKeysOverwritingNothing) {
  std::vector<std::string> series, others = {"DSC1.jpg", "DSC2.jpg", "x.jpg"};
  for (int i = 1; i <= 7; ++i) series.push_back("IMG_000" + std::to_string(i) + ".jpg");
  for (const auto& name : series) WritePicture((folder_ / name).string(), 30, 30, 0x446688);
  for (const auto& name : others) WritePicture((folder_ / name).string(), 30, 30, 0x446688);
  view_->SetFolder(Folder());
  const CKeyIndex::TreeItem anna = ProgramKey("People\\Anna");
  SelectOnly(view_->Items(), {"IMG_0002.jpg", "IMG_0005.jpg", "DSC1.jpg"});
  view_->SetKeyOnSelected(anna, true);
  view_->DeselectAll();

  SelectOnly(view_->Items(), {"IMG_0007.jpg"});
  view_->SetKeyOnSelected(anna, true);
  view_->DeselectAll();
  // A file of the same name in the subfolder already is never overwritten: that one stays.
  fs::create_directory(folder_ / "IMG_");
  Make("IMG_\\IMG_0007.jpg", "an older picture");

  std::string message;
  {
    UiDriver answer([&] { message = AnswerMessageBox(IDOK); });
    view_->AutoSort();
  }
  EXPECT_EQ(message, "These could not be moved:\nIMG_0007.jpg");
  EXPECT_EQ(Names(view_->Items()), (std::vector<std::string>{"DSC1.jpg", "DSC2.jpg", "IMG_0007.jpg", "x.jpg"}));
  for (const auto& name : series) {
    EXPECT_TRUE(fs::exists(folder_ / "IMG_" / name)) << name;
    EXPECT_EQ(fs::exists(folder_ / name), name == "IMG_0007.jpg") << name;
  }
  EXPECT_EQ(FileText(folder_ / "IMG_" / "IMG_0007.jpg"), "an older picture");
  EXPECT_EQ(Describe(ReadIndex(folder_ / "IMG_").entries),
            (std::vector<std::string>{"IMG_0002.jpg::People\\Anna", "IMG_0005.jpg::People\\Anna"}));
  EXPECT_EQ(Describe(ReadIndex(folder_).entries),
            (std::vector<std::string>{"DSC1.jpg::People\\Anna", "IMG_0007.jpg::People\\Anna"}));
}

}  // namespace
