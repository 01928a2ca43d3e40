#pragma once
// The small modeless window of a running batch: what the worker is doing, and Abort. Opening it
// clears the abort flag; Abort sets it and leaves the window open until the run ends.
#include <string>

#include "dialog.h"

class CBatchProgressDlg : public Dialog {
 public:
  CBatchProgressDlg();
  void SetText(const std::string& text);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
};
