#pragma once
// The sequence of names for renaming many files: a format in which "*" stands for the old name
// and "#" for a counting number, and the first number.
#include <string>

#include "dialog.h"
#include "edit_filters.h"

class CAutoRenameDlg : public Dialog {
 public:
  CAutoRenameDlg();
  std::string format = "#";         // at most 150 characters
  std::string firstNumberText = "1";  // at most 5 characters
  int firstNumber = 1;               // firstNumberText read with "%i" on OK

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  void OnOK() override;

 private:
  CFileNameEdit formatEdit_;
};
