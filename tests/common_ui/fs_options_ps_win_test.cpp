// The File Save Options sheet under Wine: its caption, tabs and texts, the library settings it
// edits and writes back only on OK, the JPEG quality it refuses, and what a save sees of it.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "fs_options_ps.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "ui_driver.h"

namespace {

const char kSheet[] = "File Save Options";
const char kConfirm[] = "Display this box on File-Save commands";

class SaveOptionsSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreSaveOptions({/*bmp*/ 1, 0, /*png*/ 1, 1, /*gif*/ 1, /*quality*/ 80, /*exif*/ 1, /*tif*/ 0,
                      /*confirm*/ 1, /*useoriginal*/ 1});
  }
};

TEST_F(SaveOptionsSheet, ShowsItsPagesAndTextsOnTheJpegPageWithOnlyOkAndCancel) {
  std::vector<std::string> tabs;
  int front = -1;
  bool applyShown = true, helpShown = true;
  std::vector<std::string> wrong;
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    tabs = SheetTabs(sheet);
    front = SheetCurrentTab(sheet);
    applyShown = ::IsWindowVisible(::GetDlgItem(sheet, 0x3021)) != FALSE;
    helpShown = ::IsWindowVisible(::GetDlgItem(sheet, IDHELP)) != FALSE;
    const struct {
      int page, id;
      const char* text;
    } texts[] = {
        {kSavePageBmp, IDC_FS_TRUE_COLOR, "24bit (True Color)"},
        {kSavePageBmp, IDC_FS_DITHERED, "8 bit (256 color) Dithered"},
        {kSavePageBmp, IDC_FS_FLAT, "8 bit (256 color) Flat"},
        {kSavePageBmp, IDC_FS_CONFIRM, kConfirm},
        {kSavePageGif, IDC_FS_DITHER_GIF, "Dither image"},
        {kSavePageGif, IDC_FS_CONFIRM, kConfirm},
        {kSavePageJpeg, IDC_FS_JPEG_QUALITY, "80"},
        {kSavePageJpeg, IDC_FS_USE_ORIGINAL, "Use originals quality when possible"},
        {kSavePageJpeg, IDC_FS_KEEP_EXIF, "Keep EXIF data if it exists"},
        {kSavePageJpeg, IDC_FS_CONFIRM, kConfirm},
        {kSavePagePng, IDC_FS_TRUE_COLOR, "24bit (True Color)"},
        {kSavePagePng, IDC_FS_DITHERED, "8 bit (256 color) Dithered"},
        {kSavePagePng, IDC_FS_FLAT, "8 bit (256 color) Flat"},
        {kSavePagePng, IDC_FS_CONFIRM, kConfirm},
        {kSavePageTif, IDC_FS_TIF_NONE, "Uncompressed"},
        {kSavePageTif, IDC_FS_TIF_LZW, "LZW compression"},
        {kSavePageTif, IDC_FS_TIF_PACKBITS, "PackBits compression"},
        {kSavePageTif, IDC_FS_CONFIRM, kConfirm},
    };
    for (const auto& t : texts) {
      ASSERT_TRUE(ShowSheetPage(sheet, t.page));
      const std::string shown = ControlText(SheetPage(sheet, t.page), t.id);
      if (shown != t.text) wrong.push_back(std::to_string(t.id) + ": " + shown);
    }
    // The GIF page's advice is the one static text with three lines.
    ASSERT_TRUE(ShowSheetPage(sheet, kSavePageGif));
    HWND advice = ::FindWindowExA(SheetPage(sheet, kSavePageGif), nullptr, "Static", nullptr);
    char text[256] = {};
    ::GetWindowTextA(advice, text, sizeof text);
    if (std::string(text) !=
        "Use dithering for photographic material\nTurn it off for flat colors,\nas with computer graphics.")
      wrong.push_back(std::string("advice: ") + text);
    PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(CFSoptionsPS(nullptr, kSavePageJpeg).DoModal(), IDCANCEL);
  EXPECT_EQ(tabs, (std::vector<std::string>{"BMP", "GIF", "JPEG", "PNG", "TIF"}));
  EXPECT_EQ(front, kSavePageJpeg);
  EXPECT_FALSE(applyShown);
  EXPECT_FALSE(helpShown);
  EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
}

// What each page shows of the settings set up above, and what the user then chooses on it.
struct PageRoundTrip {
  int page;
  std::vector<int> checkedShown;  // the buttons shown checked (besides "confirm")
  std::vector<int> clicks;        // buttons then toggled
  std::vector<int> uncheck;       // and radio buttons unchecked
};

UINT Toggled(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; }

TEST_F(SaveOptionsSheet, EveryPageShowsItsSettingsAndOkStoresTheChoices) {
  const std::vector<PageRoundTrip> pages = {
      {kSavePageBmp, {IDC_FS_FLAT}, {IDC_FS_TRUE_COLOR}, {IDC_FS_FLAT}},
      {kSavePageGif, {IDC_FS_DITHER_GIF}, {IDC_FS_DITHER_GIF}, {}},
      {kSavePageJpeg, {IDC_FS_USE_ORIGINAL, IDC_FS_KEEP_EXIF}, {IDC_FS_USE_ORIGINAL, IDC_FS_KEEP_EXIF}, {}},
      {kSavePagePng, {IDC_FS_DITHERED}, {IDC_FS_FLAT}, {IDC_FS_DITHERED}},
      {kSavePageTif, {IDC_FS_TIF_NONE}, {IDC_FS_TIF_PACKBITS}, {IDC_FS_TIF_NONE}},
  };
  std::vector<std::string> wrong;
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    for (const PageRoundTrip& p : pages) {
      ASSERT_TRUE(ShowSheetPage(sheet, p.page));
      HWND page = SheetPage(sheet, p.page);
      for (int id : p.checkedShown)
        if (::IsDlgButtonChecked(page, id) != BST_CHECKED) wrong.push_back("not shown checked: " + std::to_string(id));
      if (::IsDlgButtonChecked(page, IDC_FS_CONFIRM) != BST_CHECKED)
        wrong.push_back("confirm " + std::to_string(p.page));
      for (int id : p.clicks) ::CheckDlgButton(page, id, Toggled(page, id));
      for (int id : p.uncheck) ::CheckDlgButton(page, id, BST_UNCHECKED);
      if (p.page == kSavePageJpeg) ::SetDlgItemTextA(page, IDC_FS_JPEG_QUALITY, " 55 ");
    }
    PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(CFSoptionsPS(nullptr, "BMP").DoModal(), IDOK);
  EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
  EXPECT_EQ(Cimage::S_file_colormap_bmp, 0) << "24bit (True Color) turns the colour map off";
  EXPECT_EQ(Cimage::S_file_dither_bmp, 1) << "and dither on";
  EXPECT_EQ(Cimage::S_file_dither_gif, 0);
  EXPECT_EQ(Cimage::S_file_save_quality, 55);
  EXPECT_EQ(g_settings.fileOptions.useoriginal, 0);
  EXPECT_EQ(Cimage::S_keep_exifinfo, 0);
  EXPECT_EQ(Cimage::S_file_colormap_png, 1);
  EXPECT_EQ(Cimage::S_file_dither_png, 0);
  EXPECT_EQ(Cimage::S_tifcompression, 2);
  EXPECT_EQ(g_settings.fileOptions.confirm, 1);
}

TEST_F(SaveOptionsSheet, AJpegQualityOutsideOneToHundredKeepsTheSheetOpen) {
  std::vector<std::string> reports;
  bool stayedOpen = true;
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    HWND page = SheetPage(sheet, kSavePageJpeg);
    for (const char* refused : {"0", "101", "abc"}) {
      ::SetDlgItemTextA(page, IDC_FS_JPEG_QUALITY, refused);
      PressSheetButton(sheet, PSBTN_OK);
      reports.push_back(AnswerMessageBox(IDOK, "Error"));
      stayedOpen = stayedOpen && ::IsWindowVisible(sheet);
    }
    // Nor may the user leave the page with it.
    ::SetDlgItemTextA(page, IDC_FS_JPEG_QUALITY, "101");
    ::PostMessageA(sheet, PSM_SETCURSEL, kSavePageBmp, 0);
    reports.push_back(AnswerMessageBox(IDOK, "Error"));
    stayedOpen = stayedOpen && SheetCurrentTab(sheet) == kSavePageJpeg;
    ::SetDlgItemTextA(page, IDC_FS_JPEG_QUALITY, "100");
    PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(CFSoptionsPS(nullptr, "JPG").DoModal(), IDOK);
  const std::string range = "Please enter an integer between 1 and 100.";
  EXPECT_EQ(reports, (std::vector<std::string>{range, range, "Please enter an integer.", range}));
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(Cimage::S_file_save_quality, 100);
}

TEST_F(SaveOptionsSheet, CancelChangesNothingEvenAfterAChangedPageWasLeft) {
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    HWND jpeg = SheetPage(sheet, kSavePageJpeg);
    ::SetDlgItemTextA(jpeg, IDC_FS_JPEG_QUALITY, "33");
    ::CheckDlgButton(jpeg, IDC_FS_CONFIRM, BST_UNCHECKED);
    ASSERT_TRUE(ShowSheetPage(sheet, kSavePageBmp));
    ::CheckRadioButton(SheetPage(sheet, kSavePageBmp), IDC_FS_TRUE_COLOR, IDC_FS_FLAT, IDC_FS_DITHERED);
    ASSERT_TRUE(ShowSheetPage(sheet, kSavePageTif));
    PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(CFSoptionsPS(nullptr, kSavePageJpeg).DoModal(), IDCANCEL);
  EXPECT_EQ(Cimage::S_file_save_quality, 80);
  EXPECT_EQ(Cimage::S_file_colormap_bmp, 1);
  EXPECT_EQ(Cimage::S_file_dither_bmp, 0);
  EXPECT_EQ(g_settings.fileOptions.confirm, 1);
}

// What the user sees of PrepareSave: a sheet (on which page), a refusal, or nothing at all.
struct SaveSeen {
  int sheetPage = -1;
  std::string message;
};

// Runs PrepareSave while a driver answers what appears: the sheet gets the action (and may first
// have its confirm box cleared), a message box is read and closed.
bool PrepareSaveAnswering(const std::string& path, bool asked, int sheetButton, bool clearConfirm, SaveSeen& seen) {
  std::atomic<bool> done(false);
  bool result = false;
  {
    UiDriver user([&] {
      while (!done) {
        if (HWND sheet = WaitForWindow(kSheet, 50)) {
          seen.sheetPage = SheetCurrentTab(sheet);
          if (clearConfirm) ::CheckDlgButton(SheetPage(sheet, seen.sheetPage), IDC_FS_CONFIRM, BST_UNCHECKED);
          PressSheetButton(sheet, sheetButton);
          WaitUntilClosed(sheet);
        } else if (HWND box = WaitForWindow("Error", 50)) {
          seen.message = ControlText(box, 0xFFFF);
          PressButton(box, IDOK);
          WaitUntilClosed(box);
        }
      }
    });
    result = PrepareSave(nullptr, path, asked);
    done = true;
  }
  return result;
}

TEST_F(SaveOptionsSheet, ASaveShowsTheSheetOnItsTypesPageRefusesOtherTypesAndCancelStopsIt) {
  const std::string refused = "Invalid file name extension\nUse JPG, GIF, PNG, TIF, or BMP";
  const struct {
    const char* path;
    bool asked;
    int confirm;
    int sheetButton;
    bool result;
    int sheetPage;
    const char* message;
  } cases[] = {
      {"C:\\out\\photo.jpg", false, 1, PSBTN_OK, true, kSavePageJpeg, ""},
      {"C:\\out\\photo.jpg", false, 0, PSBTN_OK, true, -1, ""},
      {"C:\\out\\photo.png", true, 0, PSBTN_OK, true, kSavePagePng, ""},
      {"C:\\out\\anim.GIF", true, 1, PSBTN_OK, true, kSavePageGif, ""},
      {"C:\\out\\photo.tif", false, 1, PSBTN_CANCEL, false, kSavePageTif, ""},
      {"C:\\out\\photo.jpeg", false, 1, PSBTN_OK, false, -1, refused.c_str()},
      {"C:\\out\\layers.psd", true, 1, PSBTN_OK, false, -1, refused.c_str()},
      {"C:\\out\\photo.jpeg", false, 0, PSBTN_OK, false, -1, refused.c_str()},
  };
  for (const auto& c : cases) {
    g_settings.fileOptions.confirm = c.confirm;
    SaveSeen seen;
    EXPECT_EQ(PrepareSaveAnswering(c.path, c.asked, c.sheetButton, false, seen), c.result) << c.path;
    EXPECT_EQ(seen.sheetPage, c.sheetPage) << c.path;
    EXPECT_EQ(seen.message, c.message) << c.path;
  }
}

TEST_F(SaveOptionsSheet, UncheckingTheConfirmBoxStopsTheSheetOnLaterSaves) {
  SaveSeen first, later;
  EXPECT_TRUE(PrepareSaveAnswering("C:\\out\\flat.bmp", false, PSBTN_OK, true, first));
  EXPECT_EQ(first.sheetPage, kSavePageBmp);
  EXPECT_EQ(g_settings.fileOptions.confirm, 0);
  EXPECT_TRUE(PrepareSaveAnswering("C:\\out\\flat.gif", false, PSBTN_OK, false, later));
  EXPECT_EQ(later.sheetPage, -1);
}

}  // namespace
