#include "confirm_delete_dlg.h"

#include "resource.h"

CConfirmDeleteDlg::CConfirmDeleteDlg(const std::string& path, const FolderCounts& counts)
    : Dialog(IDD_CONFIRM_DELETE), path_(path), counts_(counts) {}

bool CConfirmDeleteDlg::OnInitDialog() {
  SetItemText(IDC_FOLDER_PATH, path_);
  SetItemText(IDC_DELETE_FILES, std::to_string(counts_.files) + " files");
  SetItemText(IDC_DELETE_FOLDERS, std::to_string(counts_.folders) + " directories");
  SetItemText(IDC_DELETE_KILOBYTES, std::to_string(counts_.bytes / 1024) + " kilobytes");
  Dialog::OnInitDialog();
  // Enter and Space answer the focused button: it must be Cancel, never Delete.
  ::SetFocus(Item(IDCANCEL));
  return false;
}

bool CConfirmDeleteDlg::OnCommand(int id, int code) {
  if (id != IDC_DELETE_BUTTON) return Dialog::OnCommand(id, code);
  EndDialog(IDOK);
  return true;
}
