// Image windows on a real photograph under Wine, driven by their own messages: the picture shown
// pixel for pixel at 1:1, an autosizing window showing the photograph at half its size and its
// first zoom in and out (1:1 and 1:3), the ladder's ends, the wheel's notch, Home and End, panning
// by dragging, the modes the settings and open modes choose, the full-screen opening, an animated
// picture, a refit after the user resized the window, a sound memo extracted on opening, and
// closing. What the windows show is read back and compared with the file decoded here.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "command_ids.h"
#include "dialog_user_win.h"
#include "fpx_segments.h"
#include "full_screen_wnd.h"
#include "image_wnd.h"
#include "key_index.h"
#include "annotation_wnd.h"
#include "ui_driver.h"
#include "message_wait_win.h"
#include "missing_files.h"
#include "program_state.h"
#include "temp_folder.h"
#include "viewer_pictures.h"

namespace {

constexpr char kLibjxl[] = "Z:/usr/share/libjxl-testdata/jxl/";
// 2268 × 1512: fitted to the 1280 × 1024 screen it is halved exactly.
constexpr char kWideFlower[] = "flower/flower.png.im_q85_420.jpg";
constexpr char kAnimation[] = "traffic_light.gif";

std::string Title(HWND window) { return TextOf(window); }

bool HasScrollBars(HWND window) { return (::GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL) != 0; }

class ImageWindow : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    auto& frames = g_settings.pictureFrames;
    frames = {};
    frames.position = 1;  // centred
    g_settings.audio.playondisplay = 0;
    g_program.fullScreen = nullptr;
  }
  void TearDown() override {
    for (HWND window : opened_)
      if (::IsWindow(window)) ::DestroyWindow(window);
    g_program.fullScreen = nullptr;
    TempFolderTest::TearDown();
  }

  static bool HasTestFile(const char* file) {
    return ::GetFileAttributesA((std::string(kLibjxl) + file).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // Opens a file of libjxl's test data in a new window, in front.
  CImageWnd* Open(const char* file, OpenMode mode) {
    const std::string path = std::string(kLibjxl) + file;
    const size_t slash = path.find_last_of('/');
    CImageWnd* window = CImageWnd::OpenFile(path.substr(0, slash + 1), path.substr(slash + 1), true, mode);
    if (window) {
      opened_.push_back(window->Handle());
      ::SetForegroundWindow(window->Handle());
      PumpUntil([] { return false; }, 50);
    }
    return window;
  }

  void Command(CImageWnd* window, UINT id) { ::SendMessageA(window->Handle(), WM_COMMAND, id, 0); }
  void Key(CImageWnd* window, UINT key) { ::SendMessageA(window->Handle(), WM_KEYDOWN, key, 0); }

  std::vector<HWND> opened_;
};

// A window on a file of libjxl's test data; the test skips when the package is missing and fails
// when the file is there but no window opened.
#define OPEN_OR_SKIP(window, file, mode)                                                   \
  if (!HasTestFile(file)) SKIP_OR_FAIL_MISSING(std::string(file) + " is not installed");  \
  CImageWnd* window = Open(file, mode);                                                    \
  ASSERT_TRUE(window) << file

TEST_F(ImageWindow, ShowsThePhotographPixelForPixelAtOneToOne) {
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
  EXPECT_TRUE(window->IsPanZoom());
  EXPECT_TRUE(HasScrollBars(window->Handle()));
  EXPECT_EQ(Title(window->Handle()), "flower.png.im_q85_420.jpg 2268 X 1512  @  1:1");

  Cimage file;
  file.LoadImageA(window->FilePath().c_str(), 0, 0, 5);
  ASSERT_TRUE(file.m_pixels);
  // A picture larger than the screen opens on its middle.
  const Cimage shown = ShownPicture(window->Handle(), false, "image_window_one_to_one");
  EXPECT_EQ(window->xAxis_.centre, 1134);
  Cimage visible;
  visible.ZoomImage(&file, 1, 1, window->xAxis_.origin, window->yAxis_.origin, shown.m_width, shown.m_height, 0);
  EXPECT_EQ(LargestDifference(visible, shown, 0, 0), 0);

  // At 2:1 the view around the same centre is the library's doubling of the file's visible part.
  Command(window, ID_ZOOM_IN);
  EXPECT_EQ(Title(window->Handle()), "flower.png.im_q85_420.jpg 2268 X 1512  @  2:1");
  EXPECT_EQ(window->xAxis_.centre, 1134);
  const Cimage zoomed = ShownPicture(window->Handle(), false, "image_window_two_to_one");
  EXPECT_EQ(window->xAxis_.visible, zoomed.m_width / 2 + 1);
  Cimage doubled;
  doubled.ZoomImage(&file, 2, 1, window->xAxis_.origin, window->yAxis_.origin, window->xAxis_.visible,
                    window->yAxis_.visible, 0);
  // (The last pixels at the far edges may be drawn from their outer neighbours.)
  doubled.Crop(CRect(0, 0, zoomed.m_width - 4, zoomed.m_height - 4));
  EXPECT_EQ(LargestDifference(doubled, zoomed, 0, 0), 0);

  // Scrolling moves what stays in view and draws the strip it uncovers: the screen is as a fresh
  // drawing of the new view would be.
  const int line = window->yAxis_.visible / 10;
  const int top = window->yAxis_.origin;
  ::SendMessageA(window->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(window->yAxis_.origin, top + line);
  Cimage scrolled = ShownPicture(window->Handle(), false, nullptr, false);
  Cimage redrawn = ShownPicture(window->Handle(), false, "image_window_scrolled");
  redrawn.Crop(CRect(0, 0, redrawn.m_width - 4, redrawn.m_height - 4));
  EXPECT_EQ(LargestDifference(redrawn, scrolled, 0, 0), 0);
}

TEST_F(ImageWindow, AHalvedPictureZoomsInToOneToOneOutToOneToThreeAndAnEditKeepsHalf) {
  const struct {
    UINT command;
    const char* ratio;
  } cases[] = {{ID_ZOOM_IN, "1:1"}, {ID_ZOOM_OUT, "1:3"}, {0, "1:2"}};  // 0: as an edit leaves autosizing
  for (const auto& c : cases) {
    OPEN_OR_SKIP(window, kWideFlower, OpenMode::Settings);
    ASSERT_FALSE(window->IsPanZoom());
    EXPECT_FALSE(HasScrollBars(window->Handle()));
    EXPECT_EQ(window->image_.m_width, 1134);
    EXPECT_EQ(Title(window->Handle()), "flower.png.im_q85_420.jpg 2268 X 1512  @  1:2");
    const Cimage fitted = ShownPicture(window->Handle(), false, "image_window_autosizing");
    EXPECT_EQ(LargestDifference(window->image_, fitted, 0, 0), 0);

    if (c.command)
      Command(window, c.command);
    else
      window->SwitchToPanZoom(true, false);  // the nearest ratio of the ladder is kept
    EXPECT_TRUE(window->IsPanZoom());
    EXPECT_TRUE(HasScrollBars(window->Handle()));
    EXPECT_EQ(window->image_.m_width, 2268);  // the file at its full size
    EXPECT_EQ(Title(window->Handle()), std::string("flower.png.im_q85_420.jpg 2268 X 1512  @  ") + c.ratio);
    ::DestroyWindow(window->Handle());
  }
}

TEST_F(ImageWindow, TheLadderStopsAtItsEnds) {
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
  const char* up[] = {"2:1", "3:1", "4:1", "6:1", "8:1", "8:1"};
  for (const char* ratio : up) {
    Key(window, VK_ADD);
    EXPECT_EQ(Title(window->Handle()), std::string("flower.png.im_q85_420.jpg 2268 X 1512  @  ") + ratio);
  }
  const char* down[] = {"6:1", "4:1", "3:1", "2:1", "1:1", "1:2", "1:3", "1:4", "1:6", "1:8", "1:8"};
  for (const char* ratio : down) {
    Command(window, ID_ZOOM_OUT);
    EXPECT_EQ(Title(window->Handle()), std::string("flower.png.im_q85_420.jpg 2268 X 1512  @  ") + ratio);
  }
  ShownPicture(window->Handle(), true, "image_window_one_to_eight");
  Key(window, VK_OEM_PLUS);
  Command(window, ID_ZOOM_ONE_TO_ONE);
  EXPECT_EQ(Title(window->Handle()), "flower.png.im_q85_420.jpg 2268 X 1512  @  1:1");
}

TEST_F(ImageWindow, WheelHomeEndAndDragMoveTheView) {
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
  const HWND handle = window->Handle();
  const int top = window->yAxis_.origin, line = window->yAxis_.visible / 10;
  ASSERT_GT(top, line);
  ::SendMessageA(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(window->yAxis_.origin, top) << "one notch is not yet a step";
  ::SendMessageA(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, 1), 0);
  EXPECT_EQ(window->yAxis_.origin, top + line) << "away from the user scrolls down";
  ::SendMessageA(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-122)), 0);
  EXPECT_EQ(window->yAxis_.origin, top) << "towards the user scrolls up";

  Key(window, VK_HOME);
  EXPECT_EQ(window->xAxis_.origin, 0);
  EXPECT_EQ(window->yAxis_.origin, 0);
  Key(window, VK_END);
  EXPECT_EQ(window->xAxis_.origin, 2268 - window->xAxis_.visible);
  EXPECT_EQ(window->yAxis_.origin, 1512 - window->yAxis_.visible);
  Cimage end = ShownPicture(handle, false, "image_window_end");
  EXPECT_EQ(end.GetRGB(end.m_width - 1, end.m_height - 1) != 0, true);

  Key(window, VK_HOME);
  Key(window, VK_RIGHT);  // a line to the right
  EXPECT_EQ(window->xAxis_.origin, window->xAxis_.visible / 10);
  // Dragging the picture up and to the left by 50 pixels shows what was 50 pixels further on.
  const int left = window->xAxis_.origin;
  ::SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  ::SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 150));
  ::SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(150, 150));
  EXPECT_EQ(window->xAxis_.origin, left + 50);
  EXPECT_EQ(window->yAxis_.origin, 50);
}

TEST_F(ImageWindow, DraggingTheScrollBarsThumbShowsThePictureStraightFromItsPixels) {
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
  const HWND handle = window->Handle();
  Key(window, VK_HOME);
  SCROLLBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(::GetScrollBarInfo(handle, OBJID_VSCROLL, &bar));
  const POINT thumb = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                       bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
  Cimage file;
  file.LoadImageA(window->FilePath().c_str(), 0, 0, 5);
  ASSERT_TRUE(file.m_pixels);
  // The bar tracks the thumb in a loop of its own on the window's thread: the user's hand and eyes
  // are on a second thread while this one runs that loop.
  Cimage during;
  int originDuring = -1;
  UiDriver user([&] {
    MoveMouseTo(thumb);
    PressLeftButton(true);
    MoveMouseTo(POINT{thumb.x, thumb.y + 120});
    WaitFor([&] { return window->yAxis_.origin > 0; });
    originDuring = window->yAxis_.origin;
    during = ShownPicture(handle, false, "image_window_thumb_drag");
    PressLeftButton(false);
  });
  PumpUntil([&] { return originDuring >= 0 && !(::GetAsyncKeyState(VK_LBUTTON) < 0); });
  ASSERT_GT(originDuring, 0);
  Cimage expected;
  expected.ZoomImage(&file, 1, 1, window->xAxis_.origin, originDuring, during.m_width, during.m_height, 0);
  EXPECT_EQ(LargestDifference(expected, during, 0, 0), 0);
}

TEST_F(ImageWindow, SettingsAndOpenModesChooseTheMode) {
  const struct {
    int viewstyle;
    OpenMode mode;
    bool panZoom;
  } cases[] = {{0, OpenMode::Settings, false}, {0, OpenMode::OneToOne, true},     {0, OpenMode::Autosize, false},
               {1, OpenMode::Settings, true},  {2, OpenMode::NeverFullScreen, true}, {1, OpenMode::Autosize, false}};
  for (const auto& c : cases) {
    g_settings.pictureFrames.viewstyle = c.viewstyle;
    OPEN_OR_SKIP(window, kWideFlower, c.mode);
    EXPECT_EQ(window->IsPanZoom(), c.panZoom) << c.viewstyle << " " << int(c.mode);
    EXPECT_EQ(HasScrollBars(window->Handle()), c.panZoom) << c.viewstyle << " " << int(c.mode);
    ::DestroyWindow(window->Handle());
  }
  // An animation always plays at its full size.
  g_settings.pictureFrames.viewstyle = 0;
  OPEN_OR_SKIP(animated, kAnimation, OpenMode::Autosize);
  EXPECT_TRUE(animated->IsPanZoom());
  // It plays: the frames follow each other as the timer ticks, and a zoom stops it.
  const Cimage first = animated->image_;
  EXPECT_TRUE(PumpUntil([&] { return !SamePixels(first, animated->image_); }));
  Command(animated, ID_ZOOM_IN);
  const Cimage stopped = animated->image_;
  PumpUntil([] { return false; }, 500);
  EXPECT_TRUE(SamePixels(stopped, animated->image_));
}

TEST_F(ImageWindow, DraggingAnAutosizingPictureMovesTheWindow) {
  g_settings.pictureFrames.preferedsize = 3;
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::Autosize);
  RECT before = {}, after = {};
  ::GetWindowRect(window->Handle(), &before);
  ::SendMessageA(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ::SendMessageA(window->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 30));
  ::SendMessageA(window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 30));
  ::GetWindowRect(window->Handle(), &after);
  EXPECT_EQ(after.left - before.left, 50);
  EXPECT_EQ(after.top - before.top, 20);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_FALSE(window->IsPanZoom());
}

TEST_F(ImageWindow, HoldingTheButtonStillShowsTheAnnotation) {
  if (!HasTestFile(kWideFlower)) SKIP_OR_FAIL_MISSING(std::string(kWideFlower) + " is not installed");
  const std::string folder = folder_.string() + "\\";
  ASSERT_TRUE(::CopyFileA((std::string(kLibjxl) + kWideFlower).c_str(), (folder + "flower.jpg").c_str(), FALSE));
  g_keyIndex.SetAnnotation(folder + "flower.jpg", "Flowers at the lake");
  CImageWnd* window = CImageWnd::OpenFile(folder, "flower.jpg", true, OpenMode::OneToOne);
  ASSERT_TRUE(window);
  opened_.push_back(window->Handle());
  ::SetForegroundWindow(window->Handle());
  POINT press = {100, 80};
  ::ClientToScreen(window->Handle(), &press);
  ASSERT_TRUE(MoveMouseTo(press));
  PressLeftButton(true);
  const auto annotation = [&] { return ::GetWindow(window->Handle(), GW_CHILD); };
  EXPECT_TRUE(PumpUntil([&] { return annotation() != nullptr; }));
  PressLeftButton(false);
  PumpUntil([] { return false; }, 50);
  ASSERT_TRUE(annotation());
  EXPECT_EQ(static_cast<CAnnotationWnd*>(Window::FromHandle(annotation()))->Text(), "Flowers at the lake");
  ShownPicture(window->Handle(), false, "image_window_annotation");
  // Moving away closes it.
  ::SendMessageA(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
  EXPECT_FALSE(annotation());
  ::DestroyWindow(window->Handle());
  g_keyIndex.Clear();
}

TEST_F(ImageWindow, OpenModeThreeAndTheFullScreenCommandShowTheFullScreenWindow) {
  CFullScreenWnd fullScreen;
  ASSERT_TRUE(fullScreen.Create());
  g_program.fullScreen = &fullScreen;
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::FullScreen);
  EXPECT_TRUE(fullScreen.IsShowing());
  EXPECT_TRUE(::IsWindowVisible(fullScreen.Handle()));
  // Meanwhile its paging keys go to the thumbnail view and its other keys do nothing: the window
  // stays.
  Key(window, VK_NEXT);
  Key(window, VK_RETURN);
  EXPECT_TRUE(fullScreen.IsShowing());
  EXPECT_TRUE(::IsWindow(window->Handle()));
  // Closing the window takes its picture off the screen.
  ::SendMessageA(window->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(fullScreen.IsShowing());

  OPEN_OR_SKIP(second, kWideFlower, OpenMode::Settings);
  EXPECT_FALSE(fullScreen.IsShowing());
  Command(second, ID_FULL_SCREEN);
  EXPECT_TRUE(fullScreen.IsShowing());
  // Once the full-screen window is gone, a key acts again.
  fullScreen.HideImage();
  Key(second, VK_RETURN);
  EXPECT_FALSE(::IsWindow(second->Handle()));
  fullScreen.Destroy();
}

TEST_F(ImageWindow, AResizedAutosizingWindowRefitsItsPicture) {
  g_settings.pictureFrames.preferedsize = 3;  // half the screen
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::Autosize);
  const int width = window->image_.m_width;
  RECT frame = {};
  ::GetWindowRect(window->Handle(), &frame);
  // The user drags the right edge 200 pixels further: the height follows, from the file again.
  ::SetWindowPos(window->Handle(), nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(PumpUntil([&] { return window->image_.m_width != width; }));
  EXPECT_EQ(window->image_.m_width, width + 200);
  EXPECT_EQ(window->image_.m_height, (width + 200) * 1512 / 2268);
  RECT client = {};
  ::GetClientRect(window->Handle(), &client);
  EXPECT_EQ(client.right, window->image_.m_width);
  EXPECT_EQ(client.bottom, window->image_.m_height);
  EXPECT_EQ(Title(window->Handle()), "flower.png.im_q85_420.jpg 2268 X 1512  @  " + std::to_string(width + 200) + ":" +
                                         std::to_string(window->image_.m_height));
  Cimage expected;
  expected.LoadImageA(window->FilePath().c_str(), client.right, client.bottom, 4);
  EXPECT_EQ(LargestDifference(expected, ShownPicture(window->Handle(), false, "image_window_refit"), 0, 0), 0);
}

TEST_F(ImageWindow, DismissingByTimeClickAndTheRightButton) {
  auto& frames = g_settings.pictureFrames;
  frames.dismissondelay = 1;
  frames.dismisstime = 1;  // a second
  OPEN_OR_SKIP(untouched, kWideFlower, OpenMode::Settings);
  OPEN_OR_SKIP(worked, kWideFlower, OpenMode::OneToOne);
  const HWND untouchedHandle = untouched->Handle(), workedHandle = worked->Handle();
  // A picture never saved (a copy, a scan) is not thrown away by the timer either.
  Cimage picture;
  picture.Blank(40, 30, RGB(1, 2, 3));
  CImageWnd* unsaved = CImageWnd::CImageWndFromImage(picture);
  ASSERT_TRUE(unsaved);
  const HWND unsavedHandle = unsaved->Handle();
  opened_.push_back(unsavedHandle);
  // A right click marks the window as worked with and remembers where it was, in the picture.
  ::PostMessageA(workedHandle, WM_CANCELMODE, 0, 0);  // closes the context menu it opens
  ::SendMessageA(workedHandle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 40));
  EXPECT_TRUE(worked->interacted_);
  EXPECT_EQ(worked->rightClick_.x, worked->xAxis_.origin + 30);
  EXPECT_EQ(worked->rightClick_.y, worked->yAxis_.origin + 40);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(untouchedHandle); }));
  PumpUntil([] { return false; }, 500);  // past the other window's second too
  ASSERT_TRUE(::IsWindow(workedHandle)) << "a window worked with stays";
  EXPECT_TRUE(::IsWindow(unsavedHandle)) << "an unsaved picture stays";

  // A double click closes a window when "dismissonclick" is on, and only then.
  frames.dismissondelay = 0;
  for (int dismissOnClick : {0, 1}) {
    frames.dismissonclick = dismissOnClick;
    ::SendMessageA(workedHandle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 40));
    ::SendMessageA(workedHandle, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    PumpUntil([&] { return !::IsWindow(workedHandle); }, 300);
    EXPECT_EQ(::IsWindow(workedHandle) == FALSE, dismissOnClick == 1);
  }
}

TEST_F(ImageWindow, EnterAndCloseEndAnUnmodifiedWindowWithoutAsking) {
  for (UINT message : {UINT(WM_CLOSE), UINT(WM_KEYDOWN)}) {
    OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
    const HWND handle = window->Handle();
    ::SendMessageA(handle, message, message == WM_KEYDOWN ? VK_RETURN : 0, 0);
    EXPECT_FALSE(::IsWindow(handle));
  }
  // A file that does not load opens nothing (and, quietly, says nothing).
  const std::string broken = Make("broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
  EXPECT_EQ(CImageWnd::OpenFile(folder_.string() + "\\", "broken.jpg", true, OpenMode::Settings), nullptr);
  EXPECT_EQ(CImageWnd::OpenFile(folder_.string() + "\\", "missing.jpg", true, OpenMode::OneToOne), nullptr);
}

TEST_F(ImageWindow, ACopiedPictureIsAnUnsavedPanZoomWindow) {
  Cimage picture;
  picture.Blank(300, 200, RGB(10, 20, 30));
  CImageWnd* window = CImageWnd::CImageWndFromImage(picture);
  ASSERT_TRUE(window);
  opened_.push_back(window->Handle());
  EXPECT_TRUE(window->IsPanZoom());
  EXPECT_TRUE(window->modified_);
  EXPECT_EQ(Title(window->Handle()), "untitled.jpg 300 X 200  @  1:1");
  EXPECT_TRUE(SamePixels(window->image_, picture));

  // A scanner's transfer: a bottom-up 24-bit DIB of 3 × 2 pixels.
  const BYTE rows[2][12] = {{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}, {9, 9, 9, 8, 8, 8, 7, 7, 7, 0, 0, 0}};
  HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + sizeof rows);
  auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(dib));
  *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::memcpy(header + 1, rows, sizeof rows);
  ::GlobalUnlock(dib);
  CImageWnd* scanned = CImageWnd::CImageWndFromDib(dib);
  ::GlobalFree(dib);
  ASSERT_TRUE(scanned);
  opened_.push_back(scanned->Handle());
  EXPECT_TRUE(scanned->modified_);
  EXPECT_EQ(Title(scanned->Handle()), "untitled.jpg 3 X 2  @  1:1");
  EXPECT_EQ(scanned->image_.GetRGB(0, 0), 0x090909u);  // the top row comes last in the DIB
  EXPECT_EQ(scanned->image_.GetRGB(0, 1), 0xFF0000u);
}

TEST_F(ImageWindow, ShiftDrawsACropRectangleAndAltADeskewLine) {
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
  const HWND handle = window->Handle();
  const POINT origin = {window->xAxis_.origin, window->yAxis_.origin};
  // The rectangle follows the mouse until the button goes up (the moves wait in the queue).
  ::PostMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(60, 40));
  ::PostMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(110, 60));
  ::PostMessageA(handle, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(110, 60));
  ::SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 10));
  ASSERT_TRUE(window->tracker_);
  EXPECT_EQ(window->cropRect_.left, origin.x + 10);
  EXPECT_EQ(window->cropRect_.top, origin.y + 10);
  EXPECT_EQ(window->cropRect_.right, origin.x + 110);
  EXPECT_EQ(window->cropRect_.bottom, origin.y + 60);
  EXPECT_EQ(::GetCapture(), nullptr);
  Cimage shown = ShownPicture(handle, false, "image_window_crop");
  const Cimage& file = window->image_;
  EXPECT_NE(shown.GetRGB(10, 30), const_cast<Cimage&>(file).GetRGB(origin.x + 10, origin.y + 30))
      << "the rectangle's left side is drawn";
  EXPECT_EQ(shown.GetRGB(50, 30), const_cast<Cimage&>(file).GetRGB(origin.x + 50, origin.y + 30))
      << "inside it the picture shows";
  // A click outside the rectangle takes it away.
  ::SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 400));
  ::SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(400, 400));
  EXPECT_FALSE(window->tracker_);

  {
    HeldKey alt(handle, VK_MENU);
    ::SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    ::SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 60));
    EXPECT_FALSE(window->lineComplete_);
    ::SendMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(200, 60));
  }
  EXPECT_TRUE(window->lineComplete_);
  EXPECT_EQ(window->lineStart_.x, 20);
  EXPECT_EQ(window->lineStart_.y, 30);
  EXPECT_EQ(window->lineEnd_.x, 200);
  EXPECT_EQ(window->lineEnd_.y, 60);
  EXPECT_EQ(window->xAxis_.origin, origin.x) << "drawing a line does not pan";
}

TEST_F(ImageWindow, ContextMenusOfBothModes) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(154));
  ASSERT_TRUE(menu);
  const auto texts = [](HMENU popup) {
    std::vector<std::string> result;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
      char text[80] = {};
      ::GetMenuStringA(popup, UINT(i), text, sizeof text, MF_BYPOSITION);
      result.push_back(text);
    }
    return result;
  };
  const std::vector<std::string> common = {"Zoom In\t+", "Zoom Out\t-", "Zoom 1:1", "Full screen", "",
                                           "Color Adjustments", "Resize", "Crop", "DeSkew", "Rotate", "Filter",
                                           "Bevel Edges", "Fix Red-Eye", "", "Save As", "Save Wallpaper",
                                           "Copy to clipboard", "Print"};
  std::vector<std::string> panZoom = common;
  panZoom.insert(panZoom.end(), {"", "Undo"});
  EXPECT_EQ(texts(::GetSubMenu(menu, 2)), panZoom);
  EXPECT_EQ(texts(::GetSubMenu(menu, 3)), common);
  EXPECT_EQ(texts(::GetSubMenu(::GetSubMenu(menu, 2), 9)),
            (std::vector<std::string>{"Clockwise", "CounterClockwise", "Rotate 180", "", "Flip Vertical",
                                      "Flip Horizontal"}));
  EXPECT_EQ(texts(::GetSubMenu(::GetSubMenu(menu, 3), 10)),
            (std::vector<std::string>{"Sharpen mildly", "Sharpen moderately", "Sharpen heavily", "", "Smooth mildly",
                                      "Smooth moderately", "Smooth heavily"}));
  EXPECT_EQ(::GetMenuItemID(::GetSubMenu(menu, 2), 19), UINT(ID_IMAGE_UNDO));

  // The window's own commands are enabled as the menu drops down.
  OPEN_OR_SKIP(window, kWideFlower, OpenMode::OneToOne);
  HMENU popup = ::GetSubMenu(menu, 2);
  ::SendMessageA(window->Handle(), WM_INITMENUPOPUP, WPARAM(popup), 0);
  for (UINT id : {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_ONE_TO_ONE, ID_FULL_SCREEN})
    EXPECT_FALSE(::GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) << id;
  ::DestroyMenu(menu);
}

// With "playondisplay" and "autoextract" on, opening a photograph that carries a camera's sound
// memo writes the memo beside it as the picture's companion sound (which then plays); the picture
// itself opens as without it.
TEST_F(ImageWindow, OpeningAPhotographWithASoundMemoExtractsItsSound) {
  if (!HasTestFile(kWideFlower)) SKIP_OR_FAIL_MISSING(std::string(kWideFlower) + " is not installed");
  std::ifstream in(std::string(kLibjxl) + kWideFlower, std::ios::binary);
  const std::string photo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const fpx_test::Bytes sound = fpx_test::TestSound(300);
  Make("memo.jpg", fpx_test::WithSoundMemo(photo, sound));

  g_settings.audio.playondisplay = 1;
  g_settings.audio.autoextract = 1;
  CImageWnd* window = CImageWnd::OpenFile(folder_.string() + "\\", "memo.jpg", true, OpenMode::OneToOne);
  ASSERT_TRUE(window);
  opened_.push_back(window->Handle());
  EXPECT_EQ(Title(window->Handle()), "memo.jpg 2268 X 1512  @  1:1");
  std::ifstream written(folder_ / "memo.wav", std::ios::binary);
  EXPECT_EQ(fpx_test::Bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>()), sound);
}

}  // namespace
