// Vireldan.exe's E-mail command: the selected pictures go into Postlark's message window, which
// sends them to the server of smtp_check.py; that script checks that they arrived whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "command_ids.h"
#include "postlark_resource.h"
#include "running_program.h"
#include "ui_driver.h"

namespace {
std::string PicturesFolder() {
  std::string path = std::string("Z:") + std::getenv("POSTLARK_FILES") + "/pictures/";
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

void StoreMailSettings() {
  HKEY key;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Ashgrove Software\\Postlark", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string host = std::string("127.0.0.1:") + std::getenv("POSTLARK_SMTP");
  ::RegSetValueExA(key, "SMTP_host", 0, REG_SZ, reinterpret_cast<const BYTE*>(host.c_str()), DWORD(host.size()));
  ::RegSetValueExA(key, "SMTP_replyto", 0, REG_SZ, reinterpret_cast<const BYTE*>("me@example.com"), 14);
  const DWORD zero = 0;
  ::RegSetValueExA(key, "FirstUse", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  ::RegSetValueExA(key, "DoResize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  ::RegCloseKey(key);
}
}  // namespace

TEST(EmailCommand, SelectedPicturesAreSent) {
  StoreMailSettings();
  RunningProgram program(FolderInSmallThumbnails(PicturesFolder()), "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(PicturesFolder()));
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
