// The About, Tip of the Day and low-colour dialogs, opened and closed with their buttons.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "about_dlg.h"
#include "app_settings.h"
#include "low_color_dlg.h"
#include "resource.h"
#include "tip_dlg.h"
#include "ui_driver.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST(SmallDialogs, AboutShowsTheVersion) {
  CAboutDlg about;
  std::string version;
  UiDriver user([&] {
    HWND dialog = WaitForWindow("About Vireldan");
    ASSERT_TRUE(dialog);
    version = ItemText(dialog, IDC_VERSION);
    PressButton(dialog, IDOK);
  });
  EXPECT_EQ(about.DoModal(nullptr), IDOK);
  EXPECT_EQ(version, "Vireldan Version 5.2");
}

TEST(SmallDialogs, TipShowsItsTextAndReportsTheChoice) {
  const struct {
    int button;
    int check;
    INT_PTR result;
    int dontShow;
  } cases[] = {{IDOK, BST_CHECKED, IDOK, 1}, {IDCANCEL, BST_UNCHECKED, IDCANCEL, 0}, {IDOK, BST_UNCHECKED, IDOK, 0}};
  for (const auto& c : cases) {
    CTipDlg tip("Press F11 to see a picture full screen.");
    std::string shown;
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Tip of the Day");
      ASSERT_TRUE(dialog);
      shown = ItemText(dialog, IDC_TIPSTRING);
      ::CheckDlgButton(dialog, IDC_STARTUP, UINT(c.check));
      PressButton(dialog, c.button);
    });
    EXPECT_EQ(tip.DoModal(nullptr), c.result);
    EXPECT_EQ(shown, "Press F11 to see a picture full screen.");
    EXPECT_EQ(tip.dontShow, c.dontShow);
  }
}

TEST(SmallDialogs, LowColourStoresDontWarnOnContinueOnly) {
  for (const int button : {IDCANCEL, IDOK}) {
    g_settings.mainOptions.dontwarn256 = 0;
    CLowColorDlg advice;
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Higher color resolution recommended");
      ASSERT_TRUE(dialog);
      ::CheckDlgButton(dialog, IDC_DONTWARN, BST_CHECKED);
      PressButton(dialog, button);
    });
    EXPECT_EQ(advice.DoModal(nullptr), button);
    EXPECT_EQ(g_settings.mainOptions.dontwarn256, button == IDOK ? 1 : 0);
  }
}

}  // namespace
