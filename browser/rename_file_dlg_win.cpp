#include "rename_file_dlg.h"

#include "resource.h"

CRenameFileDlg::CRenameFileDlg() : Dialog(IDD_RENAME_FILE) {}

bool CRenameFileDlg::OnInitDialog() {
  nameEdit_.Subclass(Item(IDC_RENAME_NAME));
  Dialog::OnInitDialog();
  ::SetFocus(nameEdit_.Handle());
  return false;
}

void CRenameFileDlg::DoDataExchange(DataExchange& exchange) { exchange.Text(IDC_RENAME_NAME, newName, kMaxName); }
