#pragma once
// Picks a folder in a shell tree or by typing its path; the two follow each other. Optionally
// offers to make a new folder of a given name in the selected one.
#include <string>

#include "dialog.h"
#include "shell_tree_ctrl.h"

class CChooseDirDlg : public Dialog {
 public:
  explicit CChooseDirDlg(std::string initialPath);
  // The folder the "New Folder" button makes; the button shows only once a name is set.
  void SetNewFolderName(const std::string& name) { newFolderName_ = name; }
  std::string path;  // the last path shown in the edit

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ShowPath(const std::string& shown);
  void OnNewFolder();

  CShellTreeCtrl tree_;
  std::string newFolderName_;
  // Set while one side writes to the other, so that the two never chase each other.
  bool following_ = false;
};
