// Pictures loaded on threads of their own, and the preview pop-up and hover tip of the real
// thumbnail view under Wine: an answer comes also for a file that cannot be read; a picture whose
// window is gone goes to the main window, which frees it; quick clicks show only the last
// picture, a hide during a load drops the late one, the arrow keys move the preview along, a
// preview left off screen comes back, the user drags it about; resting the pointer on a real camera's picture shows its
// file and camera text.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "image_load.h"
#include "key_index.h"
#include "message_pump.h"
#include "missing_files.h"
#include "preview_wnd.h"
#include "private_messages.h"
#include "program_state.h"
#include "temp_folder.h"
#include "ui_driver.h"
#include "vireldan_view.h"

namespace {

namespace fs = std::filesystem;

const char* const kCameraFile = "/usr/libexec/installed-tests/gdk-pixbuf/bug725582-testrotate.jpg";

// The program's main window: thumbnails go on to the view; pictures that nobody took are
// counted and freed, as the main frame frees them.
class MainWindow : public Window {
 public:
  CVireldanView* view = nullptr;
  int orphans = 0;
  int lastOrphanSequence = 0;
  HWND lastOrphanAsker = nullptr;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_THUMB_READY && view) {
      view->OnThumbnailReady();
      return 0;
    }
    if (message == WM_IMAGE_LOADED) {
      const std::unique_ptr<ImageLoadRequest> request = TakeImageLoadRequest(lParam);
      ++orphans;
      lastOrphanSequence = request->sequence;
      lastOrphanAsker = request->hwnd;
      return 0;
    }
    return Window::WndProc(message, wParam, lParam);
  }
};

// A window that takes every picture it is sent.
class Asker : public Window {
 public:
  std::vector<std::unique_ptr<ImageLoadRequest>> received;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_IMAGE_LOADED) return Window::WndProc(message, wParam, lParam);
    received.push_back(TakeImageLoadRequest(lParam));
    return kImageTaken;
  }
};

// Counts the pictures that reach a window, ahead of its own procedure (one window at a time).
class ArrivalCounter {
 public:
  explicit ArrivalCounter(HWND window) : window_(window) {
    s_count = 0;
    s_previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
  }
  ~ArrivalCounter() { ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_previous)); }
  int Count() const { return s_count; }

 private:
  static LRESULT CALLBACK Counting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_IMAGE_LOADED) ++s_count;
    return ::CallWindowProcA(s_previous, hwnd, message, wParam, lParam);
  }
  static inline WNDPROC s_previous = nullptr;
  static inline int s_count = 0;
  HWND window_;
};

std::string WindowsPath(const char* unixPath) { return std::string("Z:") + unixPath; }

class ImageLoading : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ASSERT_TRUE(main_.Create(0, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    app_.SetMainWindow(main_.Handle());
  }
  void TearDown() override {
    main_.Destroy();
    TempFolderTest::TearDown();
  }
  // A one-colour picture; its colour as the loader gives it back.
  unsigned WritePicture(const std::string& name, int width, int height, unsigned colour) {
    Cimage picture;
    picture.Blank(width, height, colour);
    const std::string path = (folder_ / name).string();
    picture.SaveImage(path.c_str());
    EXPECT_FALSE(picture.m_saveError) << path;
    return picture.GetRGB(0, 0);
  }
  App app_;
  MainWindow main_;
};

TEST_F(ImageLoading, AnswersTheAskerAlsoWhenTheFileCannotBeRead) {
  WritePicture("wide.bmp", 120, 60, 0x2040C0);
  Asker asker;
  ASSERT_TRUE(asker.Create(0, "asker", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(LoadImageAsync(asker.Handle(), (folder_ / "wide.bmp").string().c_str(), 5, 64, 64));
  ASSERT_TRUE(LoadImageAsync(asker.Handle(), (folder_ / "missing.jpg").string().c_str(), 6, 64, 64));
  ASSERT_TRUE(PumpUntil([&] { return asker.received.size() == 2; }));
  for (const auto& request : asker.received) {
    EXPECT_EQ(request->hwnd, asker.Handle());
    ASSERT_NE(request->image, nullptr);
    if (request->sequence == 5) {
      EXPECT_FALSE(request->image->m_loadError);
      EXPECT_EQ(request->image->m_width, 64);  // fitted exactly into the box
      EXPECT_EQ(request->image->m_height, 32);
    } else {
      EXPECT_EQ(request->sequence, 6);
      EXPECT_TRUE(request->image->m_loadError);
    }
  }
  EXPECT_EQ(main_.orphans, 0);
  // A path longer than the request holds starts nothing.
  EXPECT_FALSE(LoadImageAsync(asker.Handle(), std::string(300, 'x').c_str(), 7, 64, 64));
  asker.Destroy();
}

TEST_F(ImageLoading, APictureWhoseWindowIsGoneIsFreedByTheMainWindowOnce) {
  WritePicture("a.bmp", 80, 80, 0x00FF00);
  Asker gone;
  ASSERT_TRUE(gone.Create(0, "gone", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
  const HWND goneHandle = gone.Handle();
  ASSERT_TRUE(LoadImageAsync(goneHandle, (folder_ / "a.bmp").string().c_str(), 9, 50, 50));
  // Destroyed before this thread runs its loop again, so before the answer can come.
  gone.Destroy();
  ASSERT_TRUE(PumpUntil([&] { return main_.orphans == 1; }));
  EXPECT_EQ(main_.lastOrphanSequence, 9);
  EXPECT_EQ(main_.lastOrphanAsker, goneHandle);
  EXPECT_TRUE(gone.received.empty());

  // A later load to a window that is there goes to that window alone.
  Asker there;
  ASSERT_TRUE(there.Create(0, "there", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(LoadImageAsync(there.Handle(), (folder_ / "a.bmp").string().c_str(), 10, 50, 50));
  ASSERT_TRUE(PumpUntil([&] { return there.received.size() == 1; }));
  EXPECT_EQ(main_.orphans, 1);
  there.Destroy();
}

// The real view in four columns and two rows of 50-pixel cells (40-pixel thumbnails), four
// pictures of different colours in its first row, the preview pop-up beside it.
class PreviewAndTip : public ImageLoading {
 protected:
  void SetUp() override {
    ImageLoading::SetUp();
    g_settings.thumbnails = {};
    g_settings.thumbnails.thumbnailSize = 4;
    g_settings.thumbnails.cachequality = 1;
    g_settings.fileOptions = {};
    g_settings.fileOptions.showjpg = g_settings.fileOptions.showbmp = 1;
    g_settings.frameLayout.preview_on = 1;
    g_settings.frameLayout.preview_x = 400;
    g_settings.frameLayout.preview_y = 100;
    g_settings.frameLayout.preview_w = 300;
    g_settings.frameLayout.preview_h = 200;
    ASSERT_TRUE(preview_.Create(main_.Handle()));
    g_program.preview = &preview_;
    view_ = std::make_unique<CVireldanView>();
    main_.view = view_.get();
    ASSERT_TRUE(view_->Create(main_.Handle(), 1, main_.Handle()));
    ::MoveWindow(view_->Handle(), 0, 0, 4 * 50 + 4 + ::GetSystemMetrics(SM_CXVSCROLL), 2 * 50 + 4, TRUE);
  }
  void TearDown() override {
    view_.reset();
    g_program.preview = nullptr;
    preview_.Destroy();
    ImageLoading::TearDown();
  }
  void ListColours() {
    const unsigned colours[] = {0xC02020, 0x20C020, 0x2020C0, 0xC0C020};
    for (int i = 0; i < 4; ++i)
      colour_[i] = WritePicture(std::string(1, char('a' + i)) + ".bmp", 60, 30, colours[i]);
    List();
  }
  void List() {
    view_->SetFolder(folder_.string() + "\\");
    ASSERT_TRUE(PumpUntil([&] {
      for (CThumbItem* item = view_->Items().GetFirst(); item; item = view_->Items().GetNext())
        if (!item->thumbnail) return false;
      return true;
    }));
  }
  static LPARAM Cell(int column, int row) { return MAKELPARAM(column * 50 + 25, row * 50 + 35); }
  // Rests the pointer on the view's client point and waits for the hover tip.
  bool RestPointerUntilTheTipShows(POINT rest) {
    POINT screen = rest;
    ::ClientToScreen(view_->Handle(), &screen);
    // Moved as a user's mouse moves, so that the display cannot hand an older position back.
    if (!MoveMouseTo(screen)) return false;
    ::PostMessageA(view_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(rest.x, rest.y));
    return PumpUntil([&] { return view_->TipWindow() != nullptr; });
  }
  void PostClick(LPARAM point, WPARAM keys = 0) {
    ::PostMessageA(view_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
    ::PostMessageA(view_->Handle(), WM_LBUTTONUP, keys, point);
  }
  bool Shown() const { return ::IsWindowVisible(preview_.Handle()) != FALSE; }
  // The colour in the middle of the preview's picture; 0 without one.
  unsigned ShownColour() const {
    Cimage* picture = const_cast<Cimage*>(preview_.Picture());
    return picture ? picture->GetRGB(picture->m_width / 2, picture->m_height / 2) : 0;
  }
  CPreviewWnd preview_;
  std::unique_ptr<CVireldanView> view_;
  unsigned colour_[4] = {};
};

TEST_F(PreviewAndTip, QuickClicksShowOnlyTheLastPicture) {
  ListColours();
  ArrivalCounter arrivals(preview_.Handle());
  PostClick(Cell(0, 0));
  PostClick(Cell(1, 0));
  PostClick(Cell(2, 0));
  bool showedAnother = false;
  ASSERT_TRUE(PumpUntil([&] {
    if (Shown() && ShownColour() != colour_[2]) showedAnother = true;
    return arrivals.Count() == 3 && Shown();
  })) << arrivals.Count() << " arrived, shown " << Shown() << ", sequence " << preview_.Sequence() << ", picture "
      << preview_.Picture();
  EXPECT_FALSE(showedAnother);
  EXPECT_EQ(ShownColour(), colour_[2]);
  EXPECT_EQ(preview_.Sequence(), 3);
  EXPECT_EQ(view_->Items().GetFirstSelected()->name, "c.bmp");
  // The picture fills the preview's client area, whole: as wide, and half as high.
  RECT client = {};
  ::GetClientRect(preview_.Handle(), &client);
  EXPECT_EQ(preview_.Picture()->m_width, client.right);
  EXPECT_EQ(preview_.Picture()->m_height, client.right / 2);
  // Centred from top to bottom on white.
  ::RedrawWindow(preview_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const HDC dc = ::GetDC(preview_.Handle());
  const COLORREF above = ::GetPixel(dc, client.right / 2, (client.bottom - client.right / 2) / 2 - 2);
  const COLORREF middle = ::GetPixel(dc, client.right / 2, client.bottom / 2);
  ::ReleaseDC(preview_.Handle(), dc);
  EXPECT_EQ(above, RGB(255, 255, 255));
  EXPECT_EQ(middle, RGB(colour_[2] >> 16, (colour_[2] >> 8) & 0xFF, colour_[2] & 0xFF));
  EXPECT_EQ(main_.orphans, 0);

  // Ctrl+click hides it; a plain click with the preview turned off asks for nothing.
  PostClick(Cell(3, 0), MK_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return !Shown(); }));
  const int hiddenAt = preview_.Sequence();
  g_settings.frameLayout.preview_on = 0;
  PostClick(Cell(1, 0));
  ASSERT_TRUE(PumpUntil([&] { return view_->Items().CountSelected() == 1; }));
  EXPECT_EQ(preview_.Sequence(), hiddenAt);
  EXPECT_EQ(preview_.Picture(), nullptr);
}

TEST_F(PreviewAndTip, HidingDuringALoadDropsTheLatePicture) {
  ListColours();
  ArrivalCounter arrivals(preview_.Handle());
  PostClick(Cell(0, 0));
  PostClick(Cell(1, 1));  // empty space hides the preview
  ASSERT_TRUE(PumpUntil([&] { return arrivals.Count() == 1; }));
  EXPECT_FALSE(Shown());
  EXPECT_EQ(preview_.Picture(), nullptr);
  EXPECT_EQ(preview_.Sequence(), 2);
  EXPECT_EQ(main_.orphans, 0);  // taken, and freed, by the preview
}

TEST_F(PreviewAndTip, ArrowKeysMoveThePreviewAndBringItBackOnScreen) {
  ListColours();
  // Left where a second display used to be.
  ::SetWindowPos(preview_.Handle(), nullptr, 5000, 4000, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetFocus(view_->Handle());
  ::PostMessageA(view_->Handle(), WM_KEYDOWN, VK_RIGHT, 1);  // nothing selected: the first item
  ASSERT_TRUE(PumpUntil([&] { return Shown() && ShownColour() == colour_[0]; }));
  RECT window = {}, work = {};
  ::GetWindowRect(preview_.Handle(), &window);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(window.right - window.left, 300);
  EXPECT_EQ(window.bottom - window.top, 200);
  EXPECT_GE(window.left, work.left);
  EXPECT_GE(window.top, work.top);
  EXPECT_LE(window.right, work.right);
  EXPECT_LE(window.bottom, work.bottom);

  ::PostMessageA(view_->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  ASSERT_TRUE(PumpUntil([&] { return Shown() && ShownColour() == colour_[1]; }));
  EXPECT_EQ(view_->Items().GetFirstSelected()->name, "b.bmp");

  // Its place is what the main frame stores at exit.
  preview_.SavePlacement();
  EXPECT_EQ(g_settings.frameLayout.preview_x, window.left);
  EXPECT_EQ(g_settings.frameLayout.preview_w, 300);
}

TEST_F(PreviewAndTip, TheUserDragsThePreviewAnywhereAndARightClickHidesIt) {
  // Hidden, so that the display's own placing of a newly shown window cannot move it meanwhile.
  ::SetWindowPos(preview_.Handle(), nullptr, 400, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  // The drag follows the points of the mouse messages alone; the real pointer stays where it is,
  // so that none of its own moves reach the window while it has the capture.
  ::SendMessageA(preview_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(::GetCapture(), preview_.Handle());
  ::SendMessageA(preview_.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 60));
  ::SendMessageA(preview_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(90, 60));
  EXPECT_EQ(::GetCapture(), nullptr);
  RECT window = {};
  ::GetWindowRect(preview_.Handle(), &window);
  EXPECT_EQ(window.left, 470);
  EXPECT_EQ(window.top, 140);
  EXPECT_EQ(window.right - window.left, 300);
  EXPECT_EQ(window.bottom - window.top, 200);

  const int before = preview_.Sequence();
  ::ShowWindow(preview_.Handle(), SW_SHOWNOACTIVATE);
  ::SendMessageA(preview_.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
  EXPECT_FALSE(Shown());
  EXPECT_EQ(preview_.Sequence(), before + 1);
}

TEST_F(PreviewAndTip, RestingOnACameraPictureShowsItsFileAndCameraText) {
  if (!fs::exists(WindowsPath(kCameraFile))) SKIP_OR_FAIL_MISSING(std::string(kCameraFile) + " is not installed");
  fs::copy_file(WindowsPath(kCameraFile), folder_ / "camera.jpg");
  g_settings.frameLayout.preview_on = 0;
  g_settings.thumbnails.fileinfo = 1;
  g_settings.thumbnails.annotations = 1;  // none yet: no empty line at the tip's foot
  g_settings.thumbnails.exif_tipsenable = 1;
  g_settings.thumbnails.exif_tipoptions = 0x1 | 0x2 | 0x4;
  List();
  const CThumbItem* item = view_->Items().GetFirst();
  ASSERT_NE(item, nullptr);

  const POINT rest = {25, 35};
  ASSERT_TRUE(RestPointerUntilTheTipShows(rest));
  const std::string expected = folder_.string() + "\\camera.jpg\n" + item->GetDateText() + "\n" +
                               std::to_string(item->sizeKB) + " K, 640 x 428\n\n" +
                               "Camera make  : Panasonic\n"
                               "Camera model : DMC-GF1\n"
                               "Date/Time    : 2013:06:23 16:49:15";
  EXPECT_EQ(view_->TipText(), expected);
  const HWND tip = view_->TipWindow();
  EXPECT_TRUE(::IsWindowVisible(tip));

  // Moving on takes it down.
  ::PostMessageA(view_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(rest.x + 5, rest.y));
  ASSERT_TRUE(PumpUntil([&] { return view_->TipWindow() == nullptr; }));
  EXPECT_FALSE(::IsWindow(tip));
}

TEST_F(PreviewAndTip, AnAnnotatedPictureShowsItsAnnotationInATipColouredPopUp) {
  ListColours();
  const CThumbItem* item = view_->Items().GetFirst();
  ASSERT_NE(item, nullptr);
  const std::string path = item->folder + item->name;
  g_keyIndex.SetAnnotation(path, "Sunset at the pier <b>&amp;</b>");
  ASSERT_TRUE(g_keyIndex.SaveFolder());
  g_settings.frameLayout.preview_on = 0;
  g_settings.thumbnails.fileinfo = 0;
  g_settings.thumbnails.exif_tipsenable = 0;
  g_settings.thumbnails.annotations = 1;

  const POINT rest = {25, 35};
  ASSERT_TRUE(RestPointerUntilTheTipShows(rest));
  EXPECT_EQ(view_->TipText(), "Sunset at the pier <b>&amp;</b>");
  EXPECT_EQ(::GetDlgCtrlID(view_->TipWindow()), 10000);
  char name[32] = {};
  ::GetWindowTextA(view_->TipWindow(), name, sizeof name);
  EXPECT_STREQ(name, "Annotation");
  ::PostMessageA(view_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(rest.x + 5, rest.y));
  ASSERT_TRUE(PumpUntil([&] { return view_->TipWindow() == nullptr; }));
}

// The tip goes when the pointer leaves the view (into the folder tree, off the window), with
// the path it put in the status bar; it once stayed floating over whatever came next.
TEST_F(PreviewAndTip, TheTipGoesWhenThePointerLeavesTheView) {
  ListColours();
  g_settings.frameLayout.preview_on = 0;
  g_settings.thumbnails.fileinfo = 1;
  ASSERT_TRUE(RestPointerUntilTheTipShows(POINT{25, 35}));
  RECT view = {};
  ::GetWindowRect(view_->Handle(), &view);
  ASSERT_TRUE(MoveMouseTo(POINT{view.right + 40, view.bottom + 40}));
  EXPECT_TRUE(PumpUntil([&] { return view_->TipWindow() == nullptr; }));
}

}  // namespace
