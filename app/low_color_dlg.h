#pragma once
// Advice on 256-colour displays. "Continue" (OK) stores the "Don't warn me again" choice straight
// into the settings; "Exit" (cancel) stores nothing, and start-up then ends the program.
#include "dialog.h"

class CLowColorDlg : public Dialog {
 public:
  CLowColorDlg();

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
};
