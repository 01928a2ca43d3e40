#pragma once
// Which deletions ask first, and whether the Delete key deletes. The settings change only on OK,
// all of them or none.
#include "app_settings.h"
#include "dialog.h"

class CConfirmationsDlg : public Dialog {
 public:
  CConfirmationsDlg();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  void OnOK() override;

 private:
  CAppSettings::Confirmations confirmations_;
  int deleteKey_;
};
