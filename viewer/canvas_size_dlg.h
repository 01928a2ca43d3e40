#pragma once
// "Canvas Size": the collage's new width and height, each 10..20000 pixels, and together no more
// pixels than the image library can hold.
#include "dialog.h"

class CCanvasSizeDlg : public Dialog {
 public:
  CCanvasSizeDlg();

  int height = 0;
  int width = 0;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};
