#pragma once
// Where scanned pictures go: a new image window, or numbered files in the current folder. The
// "TWAINDest" settings change only on OK.
#include "app_settings.h"
#include "dialog.h"
#include "edit_filters.h"

class CTwainDestDlg : public Dialog {
 public:
  CTwainDestDlg();

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnOK() override;

 private:
  void EnableFileControls(bool enable);

  CAppSettings::TwainDest destination_;
  CFileNameEdit prefixEdit_;
  bool writingIndex_ = false;  // the spin writes the index: the edit's own change is not news
};
