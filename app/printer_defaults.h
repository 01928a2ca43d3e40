#pragma once
// The default printer's settings, kept for the program's print commands.
#include <windows.h>

#include <string>

#include "printer_access.h"

class PrinterDefaults : public PrinterAccess {
 public:
  ~PrinterDefaults() override;
  // Reads the default printer's DEVMODE and names; false when there is no printer.
  bool Load();
  // Colour printing (DMCOLOR_COLOR) in the kept DEVMODE.
  void ForceColour();
  // The device name from the start of the DEVMODE; empty when there is no printer.
  std::string GetPrinterName() const;
  // The system's Print Setup dialog on the kept settings; whatever the user chose there, printing
  // stays in colour. False when the dialog was cancelled or could not be shown.
  bool RunSetupDialog(HWND owner);
  // A device context on the kept printer and settings; null when there is no printer.
  HDC CreatePrinterDC() override;
  bool PrintSetup(HWND owner) override { return RunSetupDialog(owner); }
  std::string PrinterName() const override { return GetPrinterName(); }
  HGLOBAL DevMode() const { return devMode_; }
  HGLOBAL DevNames() const { return devNames_; }

 private:
  // Takes over the handles a printer set-up dialog returned (the old ones go).
  void Replace(HGLOBAL devMode, HGLOBAL devNames);

  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
};
