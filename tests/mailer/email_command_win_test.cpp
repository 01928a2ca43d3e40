// Vireldan.exe's E-mail command: the selected pictures go into Postlark's message window, which
// sends them to the server of smtp_check.py; that script checks that they arrived whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "command_ids.h"
#include "mail_test_env_win.h"
#include "postlark_resource.h"
#include "running_program.h"
#include "ui_driver.h"


TEST(EmailCommand, SelectedPicturesAreSent) {
  StoreMailSettings();
  RunningProgram program(FolderInSmallThumbnails(TestFilePath("pictures/")), "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(TestFilePath("pictures/")));
  program.Settle();
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SELECT_ALL, 0);
  ASSERT_TRUE(WaitFor([&] { return program.StatusText(2).rfind("2 Selected", 0) == 0; })) << program.StatusText(2);

  ::PostMessageA(program.Frame(), WM_COMMAND, ID_EMAIL, 0);
  HWND window = program.WaitForWindow("Email message - 2 attachments");
  ASSERT_TRUE(window);
  ::SendMessageA(::GetDlgItem(window, IDC_TO), WM_SETTEXT, 0, LPARAM("ann@example.com"));
  ::SendMessageA(::GetDlgItem(window, IDC_SUBJECT), WM_SETTEXT, 0, LPARAM("From the program"));
  ::SendMessageA(::GetDlgItem(window, IDC_TEXT), WM_SETTEXT, 0, LPARAM("Two pictures"));
  ::PostMessageA(window, WM_COMMAND, IDC_SEND, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(window); }, 60000)) << "a sent message closes its window";
  EXPECT_TRUE(program.Close());
}
