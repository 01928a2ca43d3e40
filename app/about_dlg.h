#pragma once
#include "dialog.h"

class CAboutDlg : public Dialog {
 public:
  CAboutDlg();

 protected:
  bool OnInitDialog() override;
};
