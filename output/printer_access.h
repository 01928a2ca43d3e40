#pragma once
// The program's chosen printer, as the printing features use it.
#include <windows.h>

#include <string>

class PrinterAccess {
 public:
  virtual ~PrinterAccess() = default;
  // A device context for the chosen printer, owned by the caller; null when there is none.
  virtual HDC CreatePrinterDC() = 0;
  // The system's Print Setup dialog; false when it was cancelled.
  virtual bool PrintSetup(HWND owner) = 0;
  virtual std::string PrinterName() const = 0;
};
