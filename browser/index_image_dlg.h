#pragma once
// "Create an index image": the layout of one picture made of the selected thumbnails. It opens
// with a grid that fits the selection, and the two colours are chosen on swatches.
#include <windows.h>

#include <string>

#include "app_settings.h"
#include "color_swatch.h"
#include "dialog.h"

class CIndexImageDlg : public Dialog {
 public:
  CIndexImageDlg();

  // The "CreateIndex" settings in and out; the title text and selection count are not kept.
  void LoadSettings(const CAppSettings::CreateIndex& settings);
  void StoreSettings(CAppSettings::CreateIndex& settings) const;

  int columns = 6;
  int rows = 3;
  std::string titleText;
  int includeTitle = 1;
  int fileSizes = 0;
  int fileNames = 0;
  int fileDates = 0;
  int autoSpace = 1;
  int spacing = 10;
  COLORREF background = RGB(255, 255, 255);
  COLORREF foreground = RGB(0, 0, 0);
  int selectedImages = 0;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;

 private:
  void EnableSpacing();

  CColorGroupBox backgroundBox_;
  CColorGroupBox foregroundBox_;
};
