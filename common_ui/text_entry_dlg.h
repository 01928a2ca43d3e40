#pragma once
// One line of text (an annotation, for instance) under a caption the caller chooses.
#include <string>

#include "dialog.h"

class CTextEntryDlg : public Dialog {
 public:
  // The edit opens with text, at most 256 characters, and hands back what it holds on OK.
  CTextEntryDlg(std::string caption, std::string text);
  std::string text;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;

 private:
  std::string caption_;
};
