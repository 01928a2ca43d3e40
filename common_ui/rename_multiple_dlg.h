#pragma once
// Asked when several files are to be renamed: one by one, or to a sequence of names.
#include "dialog.h"

class CRenameMultipleDlg : public Dialog {
 public:
  // DoModal's answers.
  static constexpr INT_PTR kCancelled = 0;
  static constexpr INT_PTR kAutoRename = 1;
  static constexpr INT_PTR kIndividually = 2;

  CRenameMultipleDlg();

 protected:
  bool OnCommand(int id, int code) override;
  void OnCancel() override;
};
