#pragma once
// The Tip of the Day: OK closes (and takes the "Don't display tips" choice), "Next Tip" ends the
// dialog with IDCANCEL so the caller can show the next one.
#include "dialog.h"

class CTipDlg : public Dialog {
 public:
  explicit CTipDlg(const char* tip = nullptr);
  int dontShow = 0;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  const char* tip_;
};
