// Quick Web in Vireldan.exe: Ctrl-Alt-W on the thumbnail view's selection opens the wizard,
// Finish writes the site of the selected photographs into the output folder (every link and
// picture in place, image pages included), the output folder is kept in lower case, and one
// selected picture is refused before any wizard.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "missing_files.h"
#include "property_sheet_driver.h"
#include "running_program.h"
#include "site_links.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

const char kSquare[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";  // 1040 x 1040

HWND CurrentPage(HWND wizard) { return reinterpret_cast<HWND>(::SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0)); }

class QuickWebProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kSquare)) SKIP_OR_FAIL_MISSING(std::string("missing ") + kSquare);
    folder_ = fs::temp_directory_path() / "vireldan-program-quickweb";
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "Site");
  for (const char* name : {"one.jpg", "two & three.jpg", "four #4.jpg"}) fs::copy_file(kSquare, folder_ / name);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string(); }

  fs::path folder_;
};

TEST_F(QuickWebProgram, CtrlAltWMakesTheSiteOfTheSelectionAndOnePictureIsRefused) {
  SettingsValues settings = FolderInSmallThumbnails(Folder() + "\\");
  settings["QuickWeb/savepath"] = Folder() + "\\Site";
  settings["QuickWeb/createpages"] = "1";
  RunningProgram program(settings, "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(Folder() + "\\"));
  program.Settle();
  ::SetWindowPos(program.Frame(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(program.Frame());
  // One picture selected: refused before any wizard.
  const HWND view = program.FindChild("VireldanThumbnailView");
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
  ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
  ASSERT_TRUE(WaitFor([&] { return program.StatusText(2).find("1 Selected") == 0; })) << program.StatusText(2);
  TypeKey('W', {VK_CONTROL, VK_MENU});
  HWND refusal = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (refusal = ::FindWindowA("#32770", "Vireldan")) != nullptr; }));
  EXPECT_EQ(ControlText(refusal, 0xFFFF), "Select the images to include first.");
  PressButton(refusal, IDOK);
  ASSERT_TRUE(WaitUntilClosed(refusal));
  TypeKey('A', {VK_CONTROL});
  ASSERT_TRUE(WaitFor([&] { return program.StatusText(2).find("3 Selected") == 0; })) << program.StatusText(2);
  TypeKey('W', {VK_CONTROL, VK_MENU});
  HWND wizard = program.WaitForWindow("Introduction");
  ASSERT_TRUE(wizard);
  for (int page = 0; page < 12; ++page) {
    const HWND before = CurrentPage(wizard);
    PressSheetButton(wizard, PSBTN_NEXT);
    ASSERT_TRUE(WaitFor([&] { return CurrentPage(wizard) != before; })) << "page " << page;
  }
  PressSheetButton(wizard, PSBTN_FINISH);
  ASSERT_TRUE(WaitUntilClosed(wizard));
  const fs::path site = folder_ / "Site";
  ASSERT_TRUE(WaitFor(
      [&] {
        std::ifstream index(site / "index.htm");
        const std::string text((std::istreambuf_iterator<char>(index)), std::istreambuf_iterator<char>());
        return text.find("</HTML>") != std::string::npos &&
               !::FindWindowA(nullptr, "Generating web page, images, and thumbnails...");
      },
      60000));
  for (const char* name : {"one.jpg", "tn_one.jpg", "one.htm", "two & three.jpg", "tn_two & three.jpg",
                           "two & three.htm", "four #4.jpg", "tn_four #4.jpg", "four #4.htm"})
    EXPECT_TRUE(fs::is_regular_file(site / name)) << name;
  for (const char* page : {"index.htm", "one.htm", "two & three.htm", "four #4.htm"})
    EXPECT_EQ(BrokenLinks(site, page), std::vector<std::string>{});

  ASSERT_TRUE(program.Close());
  std::string lower = Folder() + "\\Site";
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(StoredSetting("QuickWeb", "savepath"), lower) << "kept in lower case once checked";
}

}  // namespace
