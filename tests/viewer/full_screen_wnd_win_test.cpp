// The full-screen window under Wine on the virtual display: a picture starts centred, a drag
// keeps a small picture wholly on the screen and a large one covering it, a real photograph is
// fitted to the screen on black or on its own commonest colour, a file that does not load leaves
// only the background and a window that still answers, Space stays and every other key, a right
// click and a double click leave, and a photograph's sound memo becomes its ".wav" as it shows. What the screen shows is read back and looked at.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "dialog_user_win.h"
#include "fpx_segments.h"
#include "full_screen_wnd.h"
#include "message_wait_win.h"
#include "missing_files.h"
#include "temp_folder.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

// Every pixel of this picture tells where in the picture it is: red and green the low bytes of x
// and y, blue their high bits over 0x80, so no pixel is black like the background.
Cimage WherePicture(int width, int height) {
  Cimage picture;
  picture.Blank(width, height, RGB(0, 0, 0));
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture.m_pixels + size_t(y) * size_t(picture.m_stride);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = uint8_t(0x80 | (x >> 8 & 7) | (y >> 8 & 7) << 3);
      row[3 * x + 1] = uint8_t(y);
      row[3 * x + 2] = uint8_t(x);
    }
  }
  return picture;
}

// The picture's point shown at a point of the screen; {-1, -1} where the background shows.
POINT PicturePointAt(Cimage& screen, int x, int y) {
  const unsigned colour = screen.GetRGB(x, y);  // blue in the low byte
  if (!(colour & 0x80)) return {-1, -1};
  return {LONG((colour >> 16 & 0xFF) | (colour & 7) << 8), LONG((colour >> 8 & 0xFF) | (colour >> 3 & 7) << 8)};
}

void ExpectShows(Cimage& screen, int x, int y, int pictureX, int pictureY) {
  const POINT shown = PicturePointAt(screen, x, y);
  EXPECT_EQ(shown.x, pictureX) << "at " << x << "," << y;
  EXPECT_EQ(shown.y, pictureY) << "at " << x << "," << y;
}

class FullScreen : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_settings.slideShow.match = 0;
    g_settings.audio.playondisplay = 0;
    ASSERT_TRUE(window_.Create());
    width_ = ::GetSystemMetrics(SM_CXSCREEN);
    height_ = ::GetSystemMetrics(SM_CYSCREEN);
  }
  void TearDown() override {
    window_.Destroy();
    TempFolderTest::TearDown();
  }

  // A drag with the left button from one point of the screen to another.
  void Drag(POINT from, POINT to) {
    ::SendMessageA(window_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::SendMessageA(window_.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::SendMessageA(window_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  }
  bool Visible() const { return ::IsWindowVisible(window_.Handle()) != FALSE; }

  CFullScreenWnd window_;
  int width_ = 0;
  int height_ = 0;
};

TEST_F(FullScreen, ASmallPictureStaysWhollyOnTheScreen) {
  Cimage picture = WherePicture(400, 300);
  window_.ShowImage(&picture, nullptr);
  ASSERT_TRUE(window_.IsShowing());
  ASSERT_TRUE(Visible());
  Cimage screen = ShownPicture(window_.Handle());
  ASSERT_EQ(screen.m_width, width_);
  ASSERT_EQ(screen.m_height, height_);
  const int left = (width_ - 400) / 2, top = (height_ - 300) / 2;
  ExpectShows(screen, left, top, 0, 0);
  ExpectShows(screen, left + 399, top + 299, 399, 299);
  ExpectShows(screen, left - 1, top, -1, -1);

  const struct {
    POINT movement;
    int left, top;
  } drags[] = {
      {{-5000, -5000}, 0, 0},                          // up to the top left corner, no further
      {{50, 20}, 50, 20},                              // moves freely inside
      {{5000, 5000}, width_ - 400, height_ - 300},     // to the bottom right corner
      {{-30, 5000}, width_ - 430, height_ - 300},      // each axis stops on its own
  };
  for (const auto& d : drags) {
    const POINT from = {width_ / 2, height_ / 2};
    Drag(from, {from.x + d.movement.x, from.y + d.movement.y});
    screen = ShownPicture(window_.Handle());
    ExpectShows(screen, d.left, d.top, 0, 0);
    ExpectShows(screen, d.left + 399, d.top + 299, 399, 299);
  }
  // Moving the mouse without the button does not drag.
  ::SendMessageA(window_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  screen = ShownPicture(window_.Handle(), false, "full_screen_small");
  ExpectShows(screen, width_ - 430, height_ - 300, 0, 0);
}

TEST_F(FullScreen, ALargePictureNeverUncoversTheBackground) {
  const int pictureWidth = width_ + 300, pictureHeight = height_ + 200;
  Cimage picture = WherePicture(pictureWidth, pictureHeight);
  window_.ShowImage(&picture, nullptr);
  Cimage screen = ShownPicture(window_.Handle());
  ExpectShows(screen, 0, 0, 150, 100);

  const struct {
    POINT movement;
    int shownLeft, shownTop;  // the picture's point at the screen's top left corner
  } drags[] = {
      {{5000, 5000}, 0, 0},                  // its top left corner at the screen's, no further
      {{-40, -10}, 40, 10},
      {{-5000, -5000}, 300, 200},            // its bottom right corner at the screen's
      {{5000, -5000}, 0, 200},
  };
  for (const auto& d : drags) {
    Drag({100, 100}, {100 + d.movement.x, 100 + d.movement.y});
    screen = ShownPicture(window_.Handle());
    ExpectShows(screen, 0, 0, d.shownLeft, d.shownTop);
    ExpectShows(screen, width_ - 1, height_ - 1, d.shownLeft + width_ - 1, d.shownTop + height_ - 1);
  }
}

TEST_F(FullScreen, ARealPhotographFillsTheScreenOnItsBackground) {
  const std::string flower = FlowerPhotoPath();
  if (flower.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  Cimage expected;
  expected.LoadImageA(flower.c_str(), width_, height_, 4);
  ASSERT_TRUE(expected.m_pixels);
  // The square photograph fits the screen's height and leaves bands at the sides.
  ASSERT_EQ(expected.m_height, height_);
  ASSERT_LT(expected.m_width, width_);
  const unsigned common = expected.FindCommonColor();  // COLORREF
  const unsigned commonBlueLow = (common & 0xFF) << 16 | (common & 0xFF00) | (common >> 16 & 0xFF);
  ASSERT_NE(commonBlueLow, 0u);

  const struct {
    int match;
    unsigned band;  // blue in the low byte
    const char* screenshot;
  } cases[] = {{0, 0, "full_screen_photo"}, {1, commonBlueLow, "full_screen_photo_matched"}};
  for (const auto& c : cases) {
    g_settings.slideShow.match = c.match;
    window_.ShowFile(flower, nullptr);
    Cimage screen = ShownPicture(window_.Handle(), false, c.screenshot);
    EXPECT_EQ(LargestDifference(expected, screen, (width_ - expected.m_width) / 2, 0), 0) << c.match;
    EXPECT_EQ(screen.GetRGB(0, height_ / 2), c.band) << c.match;
    EXPECT_EQ(screen.GetRGB(width_ - 1, 0), c.band) << c.match;
  }
}

TEST_F(FullScreen, AFileThatDoesNotLoadShowsTheBackgroundAndStillAnswers) {
  const std::string broken = Make("broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
  Cimage black;
  black.Blank(width_, height_, RGB(0, 0, 0));
  for (const std::string& path : {broken, (folder_ / "missing.png").string()}) {
    g_settings.slideShow.match = 1;  // no picture to take a colour from: black
    window_.ShowFile(path, nullptr);
    ASSERT_TRUE(window_.IsShowing()) << path;
    EXPECT_EQ(LargestDifference(black, ShownPicture(window_.Handle()), 0, 0), 0) << path;
    Drag({10, 10}, {500, 500});  // nothing to drag, nothing breaks
    // The user's keys reach it: Space stays (there is no folder to page through here), any other
    // key leaves.
    TypeKey(VK_SPACE);
    TypeKey('A');
    EXPECT_TRUE(PumpUntil([this] { return !Visible(); })) << path;
    EXPECT_FALSE(window_.IsShowing()) << path;
  }
}

// A window that notes whether it was asked to close.
class Owner : public Window {
 public:
  bool closeAsked = false;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CLOSE) {
      closeAsked = true;
      return 0;
    }
    return Default(message, wParam, lParam);
  }
};

TEST_F(FullScreen, SpaceStaysAndEveryOtherWayOutLeaves) {
  Owner owner;
  ASSERT_TRUE(owner.Create(0, "image window", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
  Cimage picture = WherePicture(300, 200);
  const struct {
    UINT message;
    WPARAM wParam;
    bool leaves, closesOwner;
  } inputs[] = {
      {WM_KEYDOWN, VK_SPACE, false, false},
      {WM_KEYDOWN, VK_ESCAPE, true, false},
      {WM_KEYDOWN, VK_NEXT, true, false},
      {WM_KEYDOWN, 'X', true, false},
      {WM_SYSKEYDOWN, VK_MENU, true, false},  // Alt, which a plain key handler never sees
      {WM_SYSKEYDOWN, VK_F10, true, false},
      {WM_RBUTTONDOWN, MK_RBUTTON, true, false},
      {WM_LBUTTONDOWN, MK_LBUTTON, false, false},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, true, true},
  };
  for (const auto& input : inputs) {
    owner.closeAsked = false;
    window_.ShowImage(&picture, owner.Handle());
    ::SendMessageA(window_.Handle(), input.message, input.wParam, MAKELPARAM(5, 5));
    ::SendMessageA(window_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpUntil([&owner] { return owner.closeAsked; }, input.closesOwner ? 5000 : 0);
    EXPECT_EQ(window_.IsShowing(), !input.leaves) << input.message << " " << input.wParam;
    EXPECT_EQ(Visible(), !input.leaves) << input.message << " " << input.wParam;
    EXPECT_EQ(owner.closeAsked, input.closesOwner) << input.message << " " << input.wParam;
  }
  owner.Destroy();
}

TEST_F(FullScreen, APhotographsSoundMemoIsExtractedAsItShows) {
  const std::string flower = FlowerPhotoPath();
  if (flower.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  Cimage expected;
  expected.LoadImageA(flower.c_str(), width_, height_, 4);
  ASSERT_TRUE(expected.m_pixels);

  // The camera's way: FlashPix segments right after the start marker, the memo in two pieces.
  using namespace fpx_test;
  std::ifstream in(flower, std::ios::binary);
  const Bytes photo{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Bytes stream(28, 0xEE), sound;
  for (int i = 0; i < 4000; ++i) sound.push_back(uint8_t(i * 13 + i / 256));
  stream.insert(stream.end(), sound.begin(), sound.end());
  const Bytes list = ContentsList({{kStorage, 0, "Root Entry"}, {uint32_t(stream.size()), 0x80, "Data/Audio Stream"}});
  const Bytes first = StreamData(1, 0, Bytes(stream.begin(), stream.begin() + 2000));
  const Bytes second = StreamData(1, 2000, Bytes(stream.begin() + 2000, stream.end()));
  Bytes file(photo.begin(), photo.begin() + 2);
  for (const Bytes* part : {&list, &first, &second}) file.insert(file.end(), part->begin(), part->end());
  file.insert(file.end(), photo.begin() + 2, photo.end());
  const std::string memo = Make("memo.jpg", std::string(file.begin(), file.end()));
  const std::filesystem::path wav = folder_ / "memo.wav";

  g_settings.audio.playondisplay = 1;
  for (int autoextract : {0, 1}) {
    g_settings.audio.autoextract = autoextract;
    window_.ShowFile(memo, nullptr);
    EXPECT_EQ(LargestDifference(expected, ShownPicture(window_.Handle()), (width_ - expected.m_width) / 2, 0), 0)
        << "the segments are no part of the picture";
    ASSERT_EQ(std::filesystem::exists(wav), autoextract == 1);
  }
  std::ifstream written(wav, std::ios::binary);
  EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()), sound);
  window_.HideImage();
}

}  // namespace
