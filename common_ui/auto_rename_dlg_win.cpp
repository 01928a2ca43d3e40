#include "auto_rename_dlg.h"

#include <cstdio>

#include "resource.h"

CAutoRenameDlg::CAutoRenameDlg() : Dialog(IDD_AUTO_RENAME) {}

bool CAutoRenameDlg::OnInitDialog() {
  formatEdit_.Subclass(Item(IDC_RENAME_FORMAT));
  return Dialog::OnInitDialog();
}

void CAutoRenameDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Text(IDC_RENAME_FORMAT, format, 150);
  exchange.Text(IDC_RENAME_FIRST_NUMBER, firstNumberText, 5);
}

// A first number that is no number would number the files from whatever was there before: the
// user is told and the dialog stays open.
void CAutoRenameDlg::OnOK() {
  int number = 0;
  if (std::sscanf(ItemText(IDC_RENAME_FIRST_NUMBER).c_str(), "%i", &number) != 1) {
    ::MessageBoxA(Handle(), "Please enter a number.", "Auto Rename", MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(Item(IDC_RENAME_FIRST_NUMBER));
    return;
  }
  if (!UpdateData(true)) return;
  firstNumber = number;
  EndDialog(IDOK);
}
