#pragma once
// Asked before a file is overwritten: Yes, No, or Yes to All (which sets all, so that the caller
// stops asking).
#include <string>

#include "dialog.h"

class CFileExistsDlg : public Dialog {
 public:
  explicit CFileExistsDlg(std::string destination);
  bool all = false;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  std::string destination_;
};
