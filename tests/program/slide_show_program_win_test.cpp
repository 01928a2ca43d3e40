// Slide shows in Vireldan.exe over a folder of real photographs and one file that is not a
// picture: Play starts the show at the first file, the real keyboard pages forward and back, the
// broken file's slide is the black background alone, Escape ends the show; a second show
// runs by its timer with transitions and captions and ends by itself after the last slide; with
// "overlap" the slides pile up in the corners. What the screen shows is compared with the files
// decoded here; pictures of it are kept for a person.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "command_ids.h"
#include "dialog_user_win.h"
#include "missing_files.h"
#include "running_program.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

namespace fs = std::filesystem;

// In the order the show sorts them by name.
const FolderFile kSlides[] = {
    {"a.jpg", "/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg"},
    {"b.jpg", "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg"},
    {"bz.jpg", nullptr},
    {"c.png", "/usr/libexec/installed-tests/gdk-pixbuf/icc-profile.png"},
};

bool ShowRunning() {
  const HWND window = ::FindWindowA("VireldanSlideShow", nullptr);
  return window && ::IsWindowVisible(window);
}

class SlideShowProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "vireldan-program-slide-show";
    const std::string missing = MakePictureFolder(folder_.string(), kSlides);
    if (!missing.empty()) SKIP_OR_FAIL_MISSING(missing + " is not installed");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }

  // Starts the program on the folder and presses Play; false when no show came up.
  bool StartShow(RunningProgram& program) const {
    if (!program.Frame() || !program.WaitForFolderShown(Folder())) return false;
    program.Settle();
    ::PostMessageA(program.Frame(), WM_COMMAND, ID_SLIDESHOW_PLAY, 0);
    return WaitFor(ShowRunning);
  }

  // The file as the show loads it: reduced to fit the screen.
  Cimage Slide(int slide) const {
    Cimage picture;
    picture.LoadImageA((folder_ / kSlides[slide].name).string().c_str(), ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN), 2);
    return picture;
  }

  SettingsValues Settings(bool timed, bool overlap = false) const {
    SettingsValues settings = FolderInSmallThumbnails(Folder());
    settings.insert({{"Slide Show/size", "0"},
                     {"Slide Show/fitmode", "0"},
                     {"Slide Show/position", overlap ? "0" : "1"},
                     {"Slide Show/overlap", overlap ? "1" : "0"},
                     {"Slide Show/usedelay", timed ? "1" : "0"},
                     {"Slide Show/interval", "2"},
                     {"Slide Show/tenths", "1"},
                     {"Slide Show/order", "0"},
                     {"Slide Show/include", "0"},
                     {"Slide Show/recycle", "0"},
                     {"Slide Show/match", "0"},
                     {"Slide Show/shownames", timed ? "1" : "0"},
                     {"Transitions/enable", timed ? "1" : "0"},
                     {"Audio/playonslideshow", "0"}});
    return settings;
  }

  // Waits until the screen shows the slide's file reduced to fit the screen, centred on black
  // (or with its top left corner at x, y).
  ::testing::AssertionResult Shows(int slide, const char* screenshot, int x = -1, int y = -1) {
    const Cimage expected = Slide(slide);
    if (!expected.m_pixels) return ::testing::AssertionFailure() << kSlides[slide].name << " did not load";
    if (x < 0) {
      x = (::GetSystemMetrics(SM_CXSCREEN) - expected.m_width) / 2;
      y = (::GetSystemMetrics(SM_CYSCREEN) - expected.m_height) / 2;
    }
    int difference = 256;
    WaitFor([&] {
      difference = LargestDifference(expected, ShownPicture(::GetDesktopWindow(), false, nullptr, false), x, y);
      return difference == 0;
    });
    ShownPicture(::GetDesktopWindow(), false, screenshot, false);
    if (difference) return ::testing::AssertionFailure() << kSlides[slide].name << " differs by " << difference;
    return ::testing::AssertionSuccess();
  }

  // Waits until the whole screen is the black background: a slide whose file did not load.
  static ::testing::AssertionResult ShowsOnlyTheBackground(const char* screenshot) {
    bool black = false;
    WaitFor([&] {
      Cimage screen = ShownPicture(::GetDesktopWindow(), false, nullptr, false);
      black = screen.m_pixels != nullptr;
      for (int y = 0; y < screen.m_height && black; y += 16)
        for (int x = 0; x < screen.m_width && black; x += 16) black = screen.GetRGB(x, y) == 0;
      return black;
    });
    ShownPicture(::GetDesktopWindow(), false, screenshot, false);
    return black ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "the screen is not black";
  }

  fs::path folder_;
};

TEST_F(SlideShowProgram, KeysPageThroughABrokenFileShownAsItsBackgroundAndEscapeEnds) {
  RunningProgram program(Settings(false), "");
  ASSERT_TRUE(StartShow(program));
  EXPECT_TRUE(Shows(0, "slide_show_first"));
  TypeKey(VK_SPACE);
  EXPECT_TRUE(Shows(1, "slide_show_second"));
  TypeKey(VK_RIGHT);  // onto the broken file: its slide is the background alone
  EXPECT_TRUE(ShowsOnlyTheBackground("slide_show_broken"));
  TypeKey(VK_RIGHT);
  EXPECT_TRUE(Shows(3, "slide_show_past_broken"));
  TypeKey(VK_LEFT);  // back over it
  EXPECT_TRUE(ShowsOnlyTheBackground(nullptr));
  TypeKey(VK_LEFT);
  EXPECT_TRUE(Shows(1, "slide_show_back"));
  TypeKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([] { return !ShowRunning(); }));
  EXPECT_TRUE(program.Close());
}

TEST_F(SlideShowProgram, TimerAdvancesWithTransitionsAndTheShowEndsAfterTheLastSlide) {
  RunningProgram program(Settings(true), "");
  ASSERT_TRUE(StartShow(program));
  // A caption under the slide: white letters on a black box at the bottom centre.
  bool captioned = false;
  WaitFor([&] {
    Cimage screen = ShownPicture(::GetDesktopWindow(), false, nullptr, false);
    for (int y = screen.m_height - 20; y < screen.m_height - 3 && !captioned; ++y)
      for (int x = screen.m_width / 2 - 30; x < screen.m_width / 2 + 30 && !captioned; ++x)
        captioned = screen.GetRGB(x, y) == 0xFFFFFFu;
    if (captioned) ShownPicture(::GetDesktopWindow(), false, "slide_show_caption", false);
    return captioned;
  });
  EXPECT_TRUE(captioned);
  EXPECT_TRUE(WaitFor([] { return !ShowRunning(); }, 60000));
  EXPECT_TRUE(program.Close());
}

TEST_F(SlideShowProgram, OverlappingSlidesPileUpInTheCorners) {
  RunningProgram program(Settings(false, true), "");
  ASSERT_TRUE(StartShow(program));
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  EXPECT_TRUE(Shows(0, "slide_show_overlap_first", 0, 0));
  TypeKey(VK_SPACE);
  // The second slide in the top right corner, and what it leaves of the first in the top left.
  const int secondLeft = width - Slide(1).m_width;
  EXPECT_TRUE(Shows(1, "slide_show_overlap_second", secondLeft, 0));
  Cimage firstLeft = Slide(0);
  firstLeft.Crop(CRect(0, 0, std::min(secondLeft, firstLeft.m_width), firstLeft.m_height));
  EXPECT_EQ(LargestDifference(firstLeft, ShownPicture(::GetDesktopWindow(), false, nullptr, false), 0, 0), 0);
  TypeKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([] { return !ShowRunning(); }));
  EXPECT_TRUE(program.Close());
}

}  // namespace
