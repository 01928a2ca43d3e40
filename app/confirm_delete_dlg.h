#pragma once
// "Confirm delete": what deleting a folder would take with it. Only its Delete button ends the
// dialog with IDOK.
#include <string>

#include "dialog.h"
#include "folder_count.h"

class CConfirmDeleteDlg : public Dialog {
 public:
  CConfirmDeleteDlg(const std::string& path, const FolderCounts& counts);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  std::string path_;
  FolderCounts counts_;
};
