#include "printer_defaults.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "global_memory.h"

PrinterDefaults::~PrinterDefaults() {
  if (devMode_) ::GlobalFree(devMode_);
  if (devNames_) ::GlobalFree(devNames_);
}

bool PrinterDefaults::Load() {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT;
  if (!::PrintDlgA(&dialog)) return false;
  devMode_ = dialog.hDevMode;
  devNames_ = dialog.hDevNames;
  return true;
}

void PrinterDefaults::Replace(HGLOBAL devMode, HGLOBAL devNames) {
  if (devMode_ && devMode_ != devMode) ::GlobalFree(devMode_);
  if (devNames_ && devNames_ != devNames) ::GlobalFree(devNames_);
  devMode_ = devMode;
  devNames_ = devNames;
}

bool PrinterDefaults::RunSetupDialog(HWND owner) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_PRINTSETUP;
  dialog.hDevMode = devMode_;
  dialog.hDevNames = devNames_;
  const bool chosen = ::PrintDlgA(&dialog) != 0;
  if (chosen) Replace(dialog.hDevMode, dialog.hDevNames);
  ForceColour();
  return chosen;
}

void PrinterDefaults::ForceColour() {
  GlobalLockScope lock(devMode_);
  if (lock.data() && lock.size() >= sizeof(DEVMODEA)) static_cast<DEVMODEA*>(lock.data())->dmColor = DMCOLOR_COLOR;
}

std::string PrinterDefaults::GetPrinterName() const {
  GlobalLockScope lock(devMode_);
  if (!lock.data() || lock.size() < CCHDEVICENAME) return std::string();
  const char* name = static_cast<const char*>(lock.data());
  return std::string(name, ::strnlen(name, CCHDEVICENAME));
}

HDC PrinterDefaults::CreatePrinterDC() {
  GlobalLockScope names(devNames_);
  if (!names.data() || names.size() < sizeof(DEVNAMES)) return nullptr;
  const DEVNAMES* offsets = static_cast<const DEVNAMES*>(names.data());
  const char* base = static_cast<const char*>(names.data());
  const size_t size = names.size();
  // The names are offsets into the block; one that points outside it means no usable printer.
  for (const WORD offset : {offsets->wDriverOffset, offsets->wDeviceOffset, offsets->wOutputOffset})
    if (offset >= size || !::memchr(base + offset, 0, size - offset)) return nullptr;
  GlobalLockScope mode(devMode_);
  const DEVMODEA* settings =
      mode.data() && mode.size() >= sizeof(DEVMODEA) ? static_cast<const DEVMODEA*>(mode.data()) : nullptr;
  return ::CreateDCA(base + offsets->wDriverOffset, base + offsets->wDeviceOffset, nullptr, settings);
}
