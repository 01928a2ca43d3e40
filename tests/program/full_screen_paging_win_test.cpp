// The full-screen window in Vireldan.exe: the thumbnail view shows the next file in it when an
// image window asks (by the message image windows post), Space pages on through the folder with
// the real keyboard without leaving it, any other key returns to the windows below, and Abort
// hides it. What it shows is read from the screen and compared with the file decoded here; a
// picture of each page is saved for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "command_ids.h"
#include "missing_files.h"
#include "private_messages.h"
#include "running_program.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

namespace fs = std::filesystem;

// Real pictures nobody on the team made, and one that does not load, in the order the view sorts
// them by name.
const FolderFile kPages[] = {
    {"a.jpg", "/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg"},
    {"b.jpg", "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg"},
    {"bz.jpg", nullptr},
    {"c.png", "/usr/libexec/installed-tests/gdk-pixbuf/icc-profile.png"},
};

// The whole screen as it is now.
Cimage Screen() {
  Cimage shown;
  HDC screen = ::GetDC(nullptr);
  shown.FromDC(screen, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ::ReleaseDC(nullptr, screen);
  return shown;
}

class FullScreenPaging : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "vireldan-program-full-screen";
    const std::string missing = MakePictureFolder(folder_.string(), kPages);
    if (!missing.empty()) SKIP_OR_FAIL_MISSING(missing + " is not installed");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string() + "\\"; }

  // Waits until the screen shows the page's file fitted into it, centred on black (only black
  // for the file that does not load).
  ::testing::AssertionResult Shows(int page, const char* screenshot) {
    Cimage expected;
    const std::string path = (folder_ / kPages[page].name).string();
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    if (kPages[page].source)
      expected.LoadImageA(path.c_str(), width, height, 4);
    else
      expected.Blank(width, height, RGB(0, 0, 0));
    if (!expected.m_pixels) return ::testing::AssertionFailure() << path << " did not load";
    const int x = (width - expected.m_width) / 2, y = (height - expected.m_height) / 2;
    int difference = 256;
    WaitFor([&] {
      difference = LargestDifference(expected, Screen(), x, y);
      return difference == 0;
    });
    Cimage shown = Screen();
    if (const char* folder = std::getenv("VIRELDAN_SCREENSHOTS"))
      shown.SaveImage((std::string(folder) + "\\" + screenshot + ".png").c_str());
    if (difference) return ::testing::AssertionFailure() << kPages[page].name << " differs by " << difference;
    return ::testing::AssertionSuccess();
  }

  fs::path folder_;
};

TEST_F(FullScreenPaging, SpacePagesThroughTheFolderAndAnyOtherKeyReturns) {
  RunningProgram program({{"Main Options/tipson", "0"},
                          {"Main Options/mainpath", Folder()},
                          {"Thumbnails/sortby", "0"},
                          {"Slide Show/match", "0"},
                          {"Audio/playondisplay", "0"}},
                         "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(Folder()));
  program.Settle();
  const HWND view = program.FindChild("VireldanThumbnailView");
  ASSERT_TRUE(view);
  const auto fullScreenShown = [] {
    const HWND window = ::FindWindowA("VireldanFullScreen", nullptr);
    return window && ::IsWindowVisible(window);
  };
  ASSERT_FALSE(fullScreenShown());

  // What an image window posts for its Space: nothing is selected, so the next file is the
  // second one.
  ::PostMessageA(view, WM_SELECT_ADJACENT, 0, 1);
  ASSERT_TRUE(WaitFor(fullScreenShown));
  EXPECT_TRUE(Shows(1, "full_screen_program_b"));
  TypeKey(VK_SPACE);
  EXPECT_TRUE(Shows(2, "full_screen_program_broken"));
  TypeKey(VK_SPACE);  // a file that did not load still pages on
  EXPECT_TRUE(Shows(3, "full_screen_program_c"));
  TypeKey(VK_SPACE);  // round to the first file
  EXPECT_TRUE(Shows(0, "full_screen_program_a"));
  EXPECT_TRUE(fullScreenShown());

  TypeKey('Q');
  EXPECT_TRUE(WaitFor([&] { return !fullScreenShown(); }));

  // Abort hides it too.
  ::PostMessageA(view, WM_SELECT_ADJACENT, 0, 1);
  ASSERT_TRUE(WaitFor(fullScreenShown));
  EXPECT_TRUE(Shows(1, "full_screen_program_b_again"));
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_ABORT_OPERATION, 0);
  EXPECT_TRUE(WaitFor([&] { return !fullScreenShown(); }));
  EXPECT_TRUE(program.Close());
}

}  // namespace
