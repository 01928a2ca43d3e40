// The bevel page in a sheet of its own under Wine: its texts, the trackbars' ranges, and which
// "Effects" values it reads and writes for the batch sheet and for the image window.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "bevel_page.h"
#include "property_sheet.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "ui_driver.h"

namespace {

const char kSheet[] = "Bevel Test";

void SetEffects(int mode, int batchmode, int thickness, int rounding, int density) {
  g_settings.effects = {mode, batchmode, thickness, rounding, density};
}

int Trackbar(HWND page, int id, UINT message) { return int(::SendDlgItemMessageA(page, id, message, 0, 0)); }

// Runs the page in a sheet while the steps act on it; the sheet's result.
template <typename Steps>
INT_PTR RunBevelSheet(int batch, Steps steps) {
  CPPX_Bevel page(batch);
  PropertySheet sheet(kSheet, nullptr);
  sheet.AddPage(&page);
  UiDriver user([&] {
    HWND window = WaitForWindow(kSheet);
    ASSERT_TRUE(window);
    steps(window, SheetPage(window, 0));
  });
  return sheet.DoModal();
}

TEST(BevelPage, ShowsItsTextsAndTheStrengthsInsideTheTrackbarsRanges) {
  SetEffects(0, 1, 15, 60, 5);
  std::vector<std::string> tabs, texts;
  std::vector<int> ranges, positions;
  int checked = 0;
  EXPECT_EQ(RunBevelSheet(1,
                          [&](HWND sheet, HWND page) {
                            tabs = SheetTabs(sheet);
                            texts = ChildTexts(page);
                            for (int id : {IDC_BEVEL_WIDTH, IDC_BEVEL_ROUNDING, IDC_BEVEL_INTENSITY}) {
                              ranges.push_back(Trackbar(page, id, TBM_GETRANGEMIN));
                              ranges.push_back(Trackbar(page, id, TBM_GETRANGEMAX));
                              positions.push_back(Trackbar(page, id, TBM_GETPOS));
                            }
                            for (int id = IDC_BEVEL_LIGHT; id <= IDC_BEVEL_NONE; ++id)
                              if (::IsDlgButtonChecked(page, id) == BST_CHECKED) checked = id;
                            PressSheetButton(sheet, PSBTN_OK);
                          }),
            IDOK);
  EXPECT_EQ(tabs, std::vector<std::string>{"Bevel Edges"});
  EXPECT_EQ(texts, (std::vector<std::string>{" Bevel mode ", "Top, Left - Light", "Top Left - Partial ",
                                             "Head on, All Dark", "No Bevel", " Bevel width ", "Thin\n1 Pixel",
                                             "Thick\n50 Pixels", "", " Bevel rounding ", "Sharp", "Soft", "",
                                             " Bevel intensity ", "Light", "Heavy", ""}));
  EXPECT_EQ(ranges, (std::vector<int>{1, 50, 1, 50, 10, 50}));
  EXPECT_EQ(positions, (std::vector<int>{15, 50, 10})) << "stored values outside the ranges show at their ends";
  EXPECT_EQ(checked, IDC_BEVEL_PARTIAL) << "the batch page shows \"batchmode\"";
  // OK stores what the trackbars show.
  EXPECT_EQ(g_settings.effects.thickness, 15);
  EXPECT_EQ(g_settings.effects.rounding, 50);
  EXPECT_EQ(g_settings.effects.density, 10);
}

TEST(BevelPage, EachOwnerKeepsItsModeAndBothShareTheStrengths) {
  const struct {
    int batch;
    int shownMode;  // the button shown checked
    int mode, batchmode;
  } cases[] = {
      // The batch page binds "batchmode" only, the image window's page "mode" only.
      {1, IDC_BEVEL_NONE, 2, 0},
      {0, IDC_BEVEL_DARK, 1, 0},
  };
  SetEffects(2, 3, 15, 10, 25);
  int thickness = 20;
  for (const auto& c : cases) {
    int shown = 0;
    EXPECT_EQ(RunBevelSheet(c.batch,
                            [&](HWND sheet, HWND page) {
                              for (int id = IDC_BEVEL_LIGHT; id <= IDC_BEVEL_NONE; ++id)
                                if (::IsDlgButtonChecked(page, id) == BST_CHECKED) shown = id;
                              ::CheckRadioButton(page, IDC_BEVEL_LIGHT, IDC_BEVEL_NONE,
                                                 c.batch ? IDC_BEVEL_LIGHT : IDC_BEVEL_PARTIAL);
                              ::SendDlgItemMessageA(page, IDC_BEVEL_WIDTH, TBM_SETPOS, TRUE, thickness);
                              PressSheetButton(sheet, PSBTN_OK);
                            }),
              IDOK);
    EXPECT_EQ(shown, c.shownMode);
    EXPECT_EQ(g_settings.effects.mode, c.mode);
    EXPECT_EQ(g_settings.effects.batchmode, c.batchmode);
    EXPECT_EQ(g_settings.effects.thickness, thickness);
    thickness += 5;
  }
}

TEST(BevelPage, CancelLeavesEveryValue) {
  SetEffects(0, 3, 15, 10, 25);
  EXPECT_EQ(RunBevelSheet(0,
                          [&](HWND sheet, HWND page) {
                            ::CheckRadioButton(page, IDC_BEVEL_LIGHT, IDC_BEVEL_NONE, IDC_BEVEL_NONE);
                            ::SendDlgItemMessageA(page, IDC_BEVEL_INTENSITY, TBM_SETPOS, TRUE, 40);
                            PressSheetButton(sheet, PSBTN_CANCEL);
                          }),
            IDCANCEL);
  EXPECT_EQ(g_settings.effects.mode, 0);
  EXPECT_EQ(g_settings.effects.batchmode, 3);
  EXPECT_EQ(g_settings.effects.density, 25);
}

// Leaving the page stores what it shows, as leaving any page of the sheet does: a change survives
// the sheet closed by its close box afterwards, and the other page shows the shared strengths.
TEST(BevelPage, LeavingThePageStoresItsValues) {
  SetEffects(0, 3, 15, 10, 25);
  CPPX_Bevel batchPage(1), viewerPage(0);
  PropertySheet sheet(kSheet, nullptr);
  sheet.AddPage(&batchPage);
  sheet.AddPage(&viewerPage);
  int widthShownThere = 0;
  UiDriver user([&] {
    const HWND window = WaitForWindow(kSheet);
    ASSERT_TRUE(window);
    const HWND page = SheetPage(window, 0);
    ::CheckRadioButton(page, IDC_BEVEL_LIGHT, IDC_BEVEL_NONE, IDC_BEVEL_DARK);
    ::SendDlgItemMessageA(page, IDC_BEVEL_WIDTH, TBM_SETPOS, TRUE, 33);
    ASSERT_TRUE(ShowSheetPage(window, 1));
    widthShownThere = Trackbar(SheetPage(window, 1), IDC_BEVEL_WIDTH, TBM_GETPOS);
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(widthShownThere, 33);
  EXPECT_EQ(g_settings.effects.batchmode, 2);
  EXPECT_EQ(g_settings.effects.mode, 0);
  EXPECT_EQ(g_settings.effects.thickness, 33);
}

}  // namespace
