// The Save Options command of the real program: the File Save Options sheet opens on the JPEG
// page, and what is confirmed there is what the program stores when it ends.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "command_ids.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "running_program.h"

namespace {

// A window of any process with the caption.
HWND WaitForAnyWindow(const char* caption) {
  const DWORD start = ::GetTickCount();
  HWND found = nullptr;
  while (!(found = ::FindWindowA(nullptr, caption)) && ::GetTickCount() - start < 30000) ::Sleep(20);
  return found;
}

TEST(SaveOptionsCommand, OpensTheSheetOnTheJpegPageAndTheProgramKeepsWhatWasConfirmed) {
  RunningProgram program({{"Main Options/tipson", "0"},
                          {"Main Options/mainpath", "C:\\"},
                          {"File Options/savequality", "80"},
                          {"File Options/confirm", "1"}},
                         "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SAVE_OPTIONS, 0);
  HWND sheet = WaitForAnyWindow("File Save Options");
  ASSERT_TRUE(sheet);
  EXPECT_EQ(SheetCurrentTab(sheet), 2);
  HWND jpeg = SheetPage(sheet, 2);
  EXPECT_EQ(ControlText(jpeg, IDC_FS_JPEG_QUALITY), "80");
  ::SetDlgItemTextA(jpeg, IDC_FS_JPEG_QUALITY, "55");
  ::CheckDlgButton(jpeg, IDC_FS_CONFIRM, BST_UNCHECKED);
  PressSheetButton(sheet, PSBTN_OK);
  ASSERT_TRUE(WaitUntilClosed(sheet));
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("File Options", "savequality"), "55");
  EXPECT_EQ(StoredSetting("File Options", "confirm"), "0");
}

}  // namespace
