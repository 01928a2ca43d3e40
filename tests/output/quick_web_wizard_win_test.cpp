// The Quick Web wizard under Wine, driven as a user drives it: the page it opens on, Back and
// Next with the pages skipped while no image pages are made, the refusals that keep it on a page,
// the controls each check box enables, and Finish storing every page's values; Cancel is no
// Finish.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "dialog_driver.h"
#include "property_sheet_driver.h"
#include "quick_web_options.h"
#include "quick_web_resource.h"
#include "quick_web_wizard.h"
#include "save_dialog_user_win.h"
#include "temp_folder.h"
#include "ui_driver.h"

namespace {

constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

HWND CurrentPage(HWND wizard) { return reinterpret_cast<HWND>(::SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int CurrentIndex(HWND wizard) {
  return int(::SendMessageA(wizard, PSM_HWNDTOINDEX, WPARAM(CurrentPage(wizard)), 0));
}

// Presses a wizard button and waits until another page is in front; the page's index.
int Press(HWND wizard, int button) {
  const HWND before = CurrentPage(wizard);
  PressSheetButton(wizard, button);
  WaitFor([&] { return CurrentPage(wizard) != before; }, 5000);
  return CurrentIndex(wizard);
}

// Presses Next on a page that refuses to be left; the message that says why.
std::string RefusedNext(HWND wizard) {
  PressSheetButton(wizard, PSBTN_NEXT);
  return AnswerMessageBox(IDOK);
}

void Type(HWND page, int id, const std::string& text) { ::SetDlgItemTextA(page, id, text.c_str()); }

void Click(HWND page, int id) { ::SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }

bool Enabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

bool ButtonEnabled(HWND wizard, int id) {
  const HWND button = ::GetDlgItem(wizard, id);
  return button && ::IsWindowVisible(button) && ::IsWindowEnabled(button);
}

// A page sets the wizard's buttons by a posted message, which the sheet handles after the page is
// in front: the state once it has come (or what it is after a while, when it never does).
bool SettledButton(HWND wizard, int id, bool expected) {
  WaitFor([&] { return ButtonEnabled(wizard, id) == expected; }, 2000);
  return ButtonEnabled(wizard, id);
}

class QuickWebWizard : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_settings = CAppSettings();
    g_settings.quickWeb = DefaultQuickWebOptions();
  }
};

TEST_F(QuickWebWizard, BackNextAndFinishWalkThePagesAndStoreWhatWasTyped) {
  g_settings.quickWeb.omitintro = 1;
  g_settings.quickWeb.savepath = folder_.string();  // Back too leaves only for an existing folder
  const std::string output = folder_.string() + "\\Site";
  std::filesystem::create_directories(folder_ / "site");
  std::vector<int> visited;
  std::vector<std::string> refusals;
  std::vector<bool> states;
  UiDriver user([&] {
    // A wizard's caption is the caption of the page in front.
    HWND wizard = WaitForWindow("Output Location");
    ASSERT_TRUE(wizard);
    WaitFor([&] { return CurrentPage(wizard) != nullptr; });
    visited.push_back(CurrentIndex(wizard));  // Output Location, with the introduction omitted
    visited.push_back(Press(wizard, PSBTN_BACK));
    states.push_back(SettledButton(wizard, kBackButton, false));
    visited.push_back(Press(wizard, PSBTN_NEXT));
    HWND page = CurrentPage(wizard);
    Type(page, IDC_QW_SAVEPATH, folder_.string() + "\\missing");
    refusals.push_back(RefusedNext(wizard));
    Type(page, IDC_QW_SAVEPATH, output);
    visited.push_back(Press(wizard, PSBTN_NEXT));
    Type(CurrentPage(wizard), IDC_QW_EDIT1, "Holiday <b>2004</b>");
    visited.push_back(Press(wizard, PSBTN_NEXT));
    page = CurrentPage(wizard);  // Table Options
    Type(page, IDC_QW_COLS, "0");
    refusals.push_back(RefusedNext(wizard));
    Type(page, IDC_QW_COLS, "4");
    Type(page, IDC_QW_THUMBWID, "30");
    refusals.push_back(RefusedNext(wizard));
    Type(page, IDC_QW_THUMBWID, "120");
    Click(page, IDC_QW_TEXT_BESIDE);
    states.push_back(Enabled(page, IDC_QW_WID));
    Click(page, IDC_QW_USEORIGINAL);
    states.push_back(Enabled(page, IDC_QW_WID));
    for (int step = 0; step < 3; ++step) visited.push_back(Press(wizard, PSBTN_NEXT));
    page = CurrentPage(wizard);  // Index Page - Font characteristics
    states.push_back(Enabled(page, IDC_QW_EDIT1));
    Click(page, IDC_QW_OP_FACE);
    states.push_back(Enabled(page, IDC_QW_EDIT1));
    Type(page, IDC_QW_EDIT1, "Verdana");
    visited.push_back(Press(wizard, PSBTN_NEXT));
    visited.push_back(Press(wizard, PSBTN_NEXT));
    page = CurrentPage(wizard);  // Image View Page - Options, no pages made
    states.push_back(Enabled(page, IDC_QW_CENTERIMAGES));
    visited.push_back(Press(wizard, PSBTN_NEXT));  // straight to the qualities
    states.push_back(SettledButton(wizard, kFinishButton, true));
    visited.push_back(Press(wizard, PSBTN_BACK));  // and straight back
    Click(page, IDC_QW_CREATEPAGES);
    states.push_back(Enabled(page, IDC_QW_CENTERIMAGES));
    states.push_back(Enabled(page, IDC_QW_EDIT1));  // the opening text waits for its own check box
    for (int step = 0; step < 4; ++step) visited.push_back(Press(wizard, PSBTN_NEXT));
    visited.push_back(Press(wizard, PSBTN_BACK));
    visited.push_back(Press(wizard, PSBTN_NEXT));
    Type(CurrentPage(wizard), IDC_QW_IMAGEQUALITY, "85");
    PressSheetButton(wizard, PSBTN_FINISH);
    EXPECT_TRUE(WaitUntilClosed(wizard));
  });
  EXPECT_TRUE(RunQuickWebWizard(nullptr));
  EXPECT_EQ(visited, (std::vector<int>{1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 8, 9, 10, 11, 12, 11, 12}));
  EXPECT_EQ(refusals,
            (std::vector<std::string>{
                "The specified output directory does not exist.\nYou must specify a valid output directory before "
                "proceeding.\n\nYou should select or create an empty output directory, so that the results\nof the "
                "Quick Web generation process do not overwrite, or get mixed among existing files.",
                "Please enter an integer between 1 and 10.", "Please enter an integer between 40 and 500."}));
  EXPECT_EQ(states, (std::vector<bool>{false, true, false, false, true, false, true, true, false}));
  const CAppSettings::QuickWeb& web = g_settings.quickWeb;
  EXPECT_EQ(web.savepath, output);
  EXPECT_EQ(web.titletext, "Holiday <b>2004</b>");
  EXPECT_EQ((std::vector<int>{web.cols, web.thumbwid, web.textunder, web.useoriginal, web.op_usefontface,
                              web.createpages, web.imagequality, web.thumbquality}),
            (std::vector<int>{4, 120, 1, 1, 1, 1, 85, 40}));
  EXPECT_EQ(web.op_fontface, "Verdana");
}

TEST_F(QuickWebWizard, OpensOnTheIntroductionWithOnlyNextAndCancelIsNoFinish) {
  g_settings.quickWeb.savepath = folder_.string();
  int opened = -1;
  bool back = true, next = false;
  UiDriver user([&] {
    HWND wizard = WaitForWindow("Introduction");
    ASSERT_TRUE(wizard);
    WaitFor([&] { return CurrentPage(wizard) != nullptr; });
    opened = CurrentIndex(wizard);
    WaitFor([&] { return ButtonEnabled(wizard, kNextButton); });
    back = ButtonEnabled(wizard, kBackButton);
    next = ButtonEnabled(wizard, kNextButton);
    Click(CurrentPage(wizard), IDC_QW_OMITINTRO);
    Press(wizard, PSBTN_NEXT);
    Type(CurrentPage(wizard), IDC_QW_SAVEPATH, "C:\\elsewhere");
    PressSheetButton(wizard, PSBTN_CANCEL);
    EXPECT_TRUE(WaitUntilClosed(wizard));
  });
  EXPECT_FALSE(RunQuickWebWizard(nullptr));
  EXPECT_EQ(opened, 0);
  EXPECT_FALSE(back);
  EXPECT_TRUE(next);
  EXPECT_EQ(g_settings.quickWeb.cols, 3);
}

// A background picture chosen with Browse is stored at once, as an include file is: it stays
// when the wizard is then cancelled.
TEST_F(QuickWebWizard, ABackgroundPictureChosenIsStoredAtOnce) {
  g_settings.quickWeb.omitintro = 1;
  g_settings.quickWeb.savepath = folder_.string();
  g_settings.quickWeb.includepath = folder_.string() + "\\";
  const std::string picture = folder_.string() + "\\back.jpg";
  { std::ofstream(picture, std::ios::binary) << "not really a picture"; }
  int index = -1;
  bool answered = false;
  UiDriver user([&] {
    HWND wizard = WaitForWindow("Output Location");
    ASSERT_TRUE(wizard);
    WaitFor([&] { return CurrentPage(wizard) != nullptr; });
    for (int step = 0; step < 4; ++step) index = Press(wizard, PSBTN_NEXT);
    const HWND page = CurrentPage(wizard);  // the index page's colours
    Click(page, IDC_QW_USE_BKG_IMAGE);
    PressButton(page, IDC_QW_BROWSE);
    if (const HWND chooser = WaitForWindow("Choose Background Image")) answered = AnswerSaveDialogWindow(chooser, picture);
    PressSheetButton(wizard, PSBTN_CANCEL);
    EXPECT_TRUE(WaitUntilClosed(wizard));
  });
  EXPECT_FALSE(RunQuickWebWizard(nullptr));
  EXPECT_EQ(index, 5);
  EXPECT_TRUE(answered);
  EXPECT_EQ(g_settings.quickWeb.idx_bgimage, picture);
}

}  // namespace
