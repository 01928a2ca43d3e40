#pragma once
// "EXIF file information to dispaly as tip text" (the caption's spelling is the program's own):
// whether thumbnail tips show camera information, and which lines of it. Opens with the
// "Thumbnails" values "exif_tipsenable" and "exif_tipoptions" and stores them on OK.
#include "dialog.h"

class CExifTipsDlg : public Dialog {
 public:
  CExifTipsDlg();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  bool IsChecked(int id) const;
  void EnableFieldBoxes(bool enable);
};
