#include "file_exists_dlg.h"

#include "resource.h"

CFileExistsDlg::CFileExistsDlg(std::string destination)
    : Dialog(IDD_FILE_EXISTS), destination_(std::move(destination)) {}

bool CFileExistsDlg::OnInitDialog() {
  SetItemText(IDC_EXISTING_FILE, destination_);
  return Dialog::OnInitDialog();
}

bool CFileExistsDlg::OnCommand(int id, int code) {
  if (id == IDC_YES_TO_ALL) {
    all = true;
    EndDialog(IDOK);
    return true;
  }
  return Dialog::OnCommand(id, code);
}
