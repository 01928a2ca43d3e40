// The TWAIN destination dialog under Wine: the file controls follow the choice of destination,
// the spin and the edit move the next index (never below 0), and the settings change only on OK.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_settings.h"
#include "dialog_driver.h"
#include "resource.h"
#include "twain_dest_dlg.h"
#include "ui_driver.h"

namespace {

const char kCaption[] = "TWAIN destination";
const int kFileControls[] = {IDC_TWAIN_JPG, IDC_TWAIN_GIF, IDC_TWAIN_PNG, IDC_TWAIN_BMP,
                             IDC_TWAIN_PREFIX, IDC_TWAIN_INDEX, IDC_TWAIN_SPIN};

std::vector<bool> FileControlsEnabled(HWND dialog) {
  std::vector<bool> enabled;
  for (int id : kFileControls) enabled.push_back(::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE);
  return enabled;
}

// A click on the spin's upper or lower arrow.
void ClickSpin(HWND dialog, bool up) {
  HWND spin = ::GetDlgItem(dialog, IDC_TWAIN_SPIN);
  RECT area = {};
  ::GetClientRect(spin, &area);
  const LPARAM at = MAKELPARAM(area.right / 2, up ? 2 : area.bottom - 2);
  ::SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(spin, WM_LBUTTONUP, 0, at);
}

std::string Text(HWND dialog, int id) {
  char text[64] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Reset() { g_settings.twainDest = {"TWAIN", 1, 0, 0}; }

TEST(TwainDestination, FileControlsFollowTheChoiceTheIndexMovesAndOkStoresIt) {
  Reset();
  std::vector<bool> atOpen, afterSave, afterOpen;
  std::vector<std::string> indexes;
  CTwainDestDlg dialog;
  ASSERT_EQ(RunModal(dialog, kCaption,
                     [&](HWND window) {
                       atOpen = FileControlsEnabled(window);
                       ::SendDlgItemMessageA(window, IDC_TWAIN_SAVE, BM_CLICK, 0, 0);
                       afterSave = FileControlsEnabled(window);
                       ::SendDlgItemMessageA(window, IDC_TWAIN_OPEN, BM_CLICK, 0, 0);
                       afterOpen = FileControlsEnabled(window);
                       ::SendDlgItemMessageA(window, IDC_TWAIN_SAVE, BM_CLICK, 0, 0);
                       ClickSpin(window, true);
                       indexes.push_back(Text(window, IDC_TWAIN_INDEX));
                       ClickSpin(window, false);
                       ClickSpin(window, false);
                       ClickSpin(window, false);
                       indexes.push_back(Text(window, IDC_TWAIN_INDEX));
                       ::SetDlgItemTextA(window, IDC_TWAIN_INDEX, "12");
                       ClickSpin(window, false);
                       indexes.push_back(Text(window, IDC_TWAIN_INDEX));
                       ::SetDlgItemTextA(window, IDC_TWAIN_PREFIX, "scan");
                       ::SendDlgItemMessageA(window, IDC_TWAIN_BMP, BM_CLICK, 0, 0);
                       PressButton(window, IDOK);
                     }),
            IDOK);
  EXPECT_EQ(atOpen, std::vector<bool>(7, false));
  EXPECT_EQ(afterSave, std::vector<bool>(7, true));
  EXPECT_EQ(afterOpen, std::vector<bool>(7, false));
  EXPECT_EQ(indexes, (std::vector<std::string>{"2", "0", "11"}));
  EXPECT_EQ(g_settings.twainDest.mode, 1);
  EXPECT_EQ(g_settings.twainDest.index, 11);
  EXPECT_EQ(g_settings.twainDest.format, 3);
  EXPECT_EQ(g_settings.twainDest.filename, "scan");
}

TEST(TwainDestination, TheIndexStaysWithinItsRange) {
  Reset();
  std::vector<std::string> indexes;
  std::string refused;
  CTwainDestDlg dialog;
  ASSERT_EQ(RunModal(dialog, kCaption,
                     [&](HWND window) {
                       ::SendDlgItemMessageA(window, IDC_TWAIN_SAVE, BM_CLICK, 0, 0);
                       ::SetDlgItemTextA(window, IDC_TWAIN_INDEX, "99999999");
                       ClickSpin(window, true);
                       indexes.push_back(Text(window, IDC_TWAIN_INDEX));
                       ::SetDlgItemTextA(window, IDC_TWAIN_INDEX, "2147483647");
                       ClickSpin(window, true);
                       indexes.push_back(Text(window, IDC_TWAIN_INDEX));
                       ::SetDlgItemTextA(window, IDC_TWAIN_INDEX, "2147483647");
                       PressButton(window, IDOK);
                       refused = AnswerMessageBox(IDOK);
                       ::SetDlgItemTextA(window, IDC_TWAIN_INDEX, "99999999");
                       PressButton(window, IDOK);
                     }),
            IDOK);
  EXPECT_EQ(indexes, (std::vector<std::string>{"99999999", "99999999"}));
  EXPECT_EQ(refused, "Please enter an integer between 0 and 99999999.");
  EXPECT_EQ(g_settings.twainDest.index, 99999999);
}

TEST(TwainDestination, CancelKeepsTheSettings) {
  Reset();
  CTwainDestDlg dialog;
  ASSERT_EQ(RunModal(dialog, kCaption,
                     [&](HWND window) {
                       ::SendDlgItemMessageA(window, IDC_TWAIN_SAVE, BM_CLICK, 0, 0);
                       ::SetDlgItemTextA(window, IDC_TWAIN_INDEX, "40");
                       PressButton(window, IDCANCEL);
                     }),
            IDCANCEL);
  EXPECT_EQ(g_settings.twainDest.mode, 0);
  EXPECT_EQ(g_settings.twainDest.index, 1);
}

}  // namespace
