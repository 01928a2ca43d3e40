#pragma once
// "Page Layout": the user chooses how large one picture is printed (in tenths of a percent of the
// printable area) and drags it to its place on a miniature of the page. On Print the caller takes
// the printer's device context and the layout from the dialog and prints.
#include <windows.h>

#include "Cimage.h"
#include "device_context.h"
#include "dialog.h"
#include "page_layout.h"
#include "page_preview_wnd.h"
#include "printer_access.h"

class CPageLayoutDlg : public Dialog {
 public:
  CPageLayoutDlg(const Cimage& picture, PrinterAccess& printer);
  ~CPageLayoutDlg() override;

  // After Print: the layout the user chose. The device context is the caller's once taken.
  HDC TakePrinterDC();
  bool PrinterOpened() const { return printerOpened_; }
  int RasterCaps() const { return rasterCaps_; }
  const PrinterPage& Page() const { return page_; }
  LayoutSize Printable() const { return printable_; }
  int Scale() const { return scale_; }
  LayoutPoint Position() const { return position_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ReadPrinterCaps();
  void ShowPrinterName();
  void UpdateSizeTexts();
  // The preview laid out anew for the printer's page, keeping the scale.
  void ShowPage();
  // Every control that needs the printer's figures, on or off.
  void EnableLayout(bool enable);
  void StepSize(ScaleStep step);
  void AddToolTips();
  void OnMouse(UINT message, LPARAM lParam);

  CPagePreviewWnd preview_;
  LayoutSize picture_;
  PrinterAccess& printer_;
  int noMargin_ = 0;
  bool dragging_ = false;
  HDC dc_ = nullptr;
  bool printerOpened_ = false;
  PrinterPage page_;
  LayoutSize printable_;
  LayoutPoint position_ = {kCentre, kCentre};
  int rasterCaps_ = 0;
  int pixelsPerInchX_ = 0, pixelsPerInchY_ = 0;
  int scale_ = 900;
  GdiObject<HBITMAP> up_, down_;
};
