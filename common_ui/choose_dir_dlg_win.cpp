#include "choose_dir_dlg.h"

#include "file_system.h"
#include "program_state.h"
#include "resource.h"

CChooseDirDlg::CChooseDirDlg(std::string initialPath) : Dialog(IDD_CHOOSE_DIR), path(std::move(initialPath)) {}

bool CChooseDirDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  tree_.SetDesktopPath(g_program.desktopFolder);
  tree_.Subclass(Item(IDC_CHOOSE_DIR_TREE));
  tree_.InitialFill();
  following_ = true;
  tree_.SelectNearestPath(path);
  following_ = false;
  ShowPath(path);
  ::ShowWindow(Item(IDC_NEW_FOLDER), newFolderName_.empty() ? SW_HIDE : SW_SHOW);
  return true;
}

void CChooseDirDlg::ShowPath(const std::string& shown) {
  following_ = true;
  SetItemText(IDC_CHOOSE_DIR_PATH, shown);
  following_ = false;
  path = shown;
}

bool CChooseDirDlg::OnCommand(int id, int code) {
  if (id == IDC_CHOOSE_DIR_PATH && code == EN_CHANGE) {
    if (following_) return true;
    path = ItemText(IDC_CHOOSE_DIR_PATH);
    following_ = true;
    tree_.SelectNearestPath(path);
    tree_.ExpandPath(path);
    following_ = false;
    return true;
  }
  if (id == IDC_NEW_FOLDER) {
    OnNewFolder();
    return true;
  }
  return Dialog::OnCommand(id, code);
}

bool CChooseDirDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY) return false;
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom != IDC_CHOOSE_DIR_TREE || (header->code != TVN_SELCHANGEDA && header->code != TVN_SELCHANGEDW))
    return false;
  if (!following_) ShowPath(tree_.GetSelectedPath());
  result = 0;
  return true;
}

// A folder that cannot be made (a file of that name is there, say) is reported rather than
// passed over: the user would otherwise look for it in vain. An item that is no folder (My
// Computer, the Control Panel) has no path to make it in.
void CChooseDirDlg::OnNewFolder() {
  const std::string parent = tree_.GetSelectedPath();
  if (parent.empty()) {
    const std::string advice = "Select the folder in which to create the new folder \"" + newFolderName_ + "\".";
    ::MessageBoxA(Handle(), advice.c_str(), "Choose Directory", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const std::string made = parent + "\\" + newFolderName_;
  std::string failure;
  if (!platform::CreateDirectoryChain(made, &failure)) {
    ::MessageBoxA(Handle(), failure.c_str(), "Choose Directory", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  tree_.Refresh();
  tree_.SelectNearestPath(made);
}
