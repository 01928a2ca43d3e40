#include "rename_multiple_dlg.h"

#include "resource.h"

CRenameMultipleDlg::CRenameMultipleDlg() : Dialog(IDD_RENAME_MULTIPLE) {}

bool CRenameMultipleDlg::OnCommand(int id, int code) {
  if (id == IDC_AUTO_RENAME) {
    EndDialog(kAutoRename);
    return true;
  }
  if (id == IDC_RENAME_INDIVIDUALLY) {
    EndDialog(kIndividually);
    return true;
  }
  return Dialog::OnCommand(id, code);
}

void CRenameMultipleDlg::OnCancel() { EndDialog(kCancelled); }
