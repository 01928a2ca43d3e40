#pragma once
// The print setups that ship in "printsetups": named batch-print layouts for a US letter page
// (8.5 × 11 in), which the installer carries and the Setups page lists. The build writes them
// with the program's own print-setup writer, so they are always in the format the program reads.
#include <string>
#include <vector>

#include "app_settings.h"

struct PrintSetupPreset {
  std::string fileName;  // below "printsetups"
  CAppSettings::BatchPrint layout;
};

std::vector<PrintSetupPreset> ShippedPrintSetups();
