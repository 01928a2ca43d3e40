#pragma once
// A folder to go to, typed as a path; it opens with the last folder name selected, ready to be
// overtyped.
#include <string>

#include "dialog.h"
#include "edit_filters.h"

class CGoToPathDlg : public Dialog {
 public:
  explicit CGoToPathDlg(std::string initialPath);
  std::string path;  // at most 200 characters

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  CPathCharEdit edit_;
};
