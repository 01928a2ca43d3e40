#pragma once
// "Scale Collage": the factor the collage and its pictures are scaled by, as the user typed it
// (the collage reads the number itself).
#include <string>

#include "dialog.h"

class CScaleCollageDlg : public Dialog {
 public:
  CScaleCollageDlg();

  std::string factor;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};
