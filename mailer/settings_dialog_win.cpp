#include <windows.h>

#include <cstdlib>

#include "mailer_dialogs_win.h"
#include "mailer_registry_win.h"
#include "postlark_resource.h"

namespace {
void EnableResizeFields(HWND dialog, bool enable) {
  for (int id : {IDC_RESIZE_WIDTH, IDC_RESIZE_HEIGHT, IDC_RESIZE_QUALITY}) ::EnableWindow(::GetDlgItem(dialog, id), enable);
}

int ReadNumber(HWND dialog, int id) { return AtLeastOne(std::atoi(WindowText(::GetDlgItem(dialog, id), 20).c_str())); }

void ShowSettings(HWND dialog, const MailerSettings& settings) {
  ::SetDlgItemTextA(dialog, IDC_SMTP_HOST, settings.smtpHost.c_str());
  ::SetDlgItemTextA(dialog, IDC_REPLY_TO, settings.replyTo.c_str());
  ::CheckDlgButton(dialog, IDC_DO_RESIZE, settings.doResize ? BST_CHECKED : BST_UNCHECKED);
  ::SetDlgItemInt(dialog, IDC_RESIZE_WIDTH, settings.resizeWidth, TRUE);
  ::SetDlgItemInt(dialog, IDC_RESIZE_HEIGHT, settings.resizeHeight, TRUE);
  ::SetDlgItemInt(dialog, IDC_RESIZE_QUALITY, settings.resizeQuality, TRUE);
  EnableResizeFields(dialog, settings.doResize != 0);
}

void SaveSettings(HWND dialog, MailerSettings& settings) {
  settings.smtpHost = WindowText(::GetDlgItem(dialog, IDC_SMTP_HOST), 1000);
  settings.replyTo = WindowText(::GetDlgItem(dialog, IDC_REPLY_TO), 1000);
  settings.doResize = ::IsDlgButtonChecked(dialog, IDC_DO_RESIZE) == BST_CHECKED;
  settings.resizeWidth = ReadNumber(dialog, IDC_RESIZE_WIDTH);
  settings.resizeHeight = ReadNumber(dialog, IDC_RESIZE_HEIGHT);
  settings.resizeQuality = ReadNumber(dialog, IDC_RESIZE_QUALITY);
  WriteRegDword("DoResize", settings.doResize);
  WriteRegDword("ResizeWidth", settings.resizeWidth);
  WriteRegDword("ResizeHeight", settings.resizeHeight);
  WriteRegDword("ResizeQuality", settings.resizeQuality);
  WriteRegString("SMTP_host", settings.smtpHost);
  WriteRegString("SMTP_replyto", settings.replyTo);
}
}  // namespace

// Cancel leaves every setting as it was, the check box's too: nothing changes before OK.
INT_PTR CALLBACK SettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterOnDesktop(dialog);
      ShowSettings(dialog, g_mailerSettings);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_DO_RESIZE:
          EnableResizeFields(dialog, ::IsDlgButtonChecked(dialog, IDC_DO_RESIZE) == BST_CHECKED);
          return TRUE;
        case IDOK:
          SaveSettings(dialog, g_mailerSettings);
          ::EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          ::EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
  }
  return FALSE;
}
