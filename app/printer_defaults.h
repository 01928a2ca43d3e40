#pragma once
// The default printer's settings, kept for the program's print commands.
#include <windows.h>

#include <string>

class PrinterDefaults {
 public:
  ~PrinterDefaults();
  // Reads the default printer's DEVMODE and names; false when there is no printer.
  bool Load();
  // Colour printing (DMCOLOR_COLOR) in the kept DEVMODE.
  void ForceColour();
  // The device name from the start of the DEVMODE; empty when there is no printer.
  std::string GetPrinterName() const;
  // Takes over the handles a printer set-up dialog returned (the old ones go).
  void Replace(HGLOBAL devMode, HGLOBAL devNames);
  HGLOBAL DevMode() const { return devMode_; }
  HGLOBAL DevNames() const { return devNames_; }

 private:
  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
};
