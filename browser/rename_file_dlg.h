#pragma once
// "Rename file": a file's new name, typed into an edit that refuses the characters file names
// cannot hold.
#include <string>

#include "dialog.h"
#include "edit_filters.h"

class CRenameFileDlg : public Dialog {
 public:
  static constexpr int kMaxName = 255;

  CRenameFileDlg();

  std::string newName;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  CFileNameEdit nameEdit_;
};
