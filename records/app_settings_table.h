#pragma once
// Every value of the settings record as one row: where it is stored in the profile, where it
// lives in memory, and what it is when the profile lacks it. Load and Save both walk these
// rows, so what is read and what is written can never drift apart.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "app_settings.h"

// Defaults that depend on the machine the program runs on.
enum class ComputedDefault { None, CacheFolder, FrameLeft, FrameTop, FrameRight, FrameBottom };

struct SettingRow {
  const char* section;
  const char* name;
  std::variant<int*, uint16_t*, std::string*> field;  // the kind of value is the kind of field
  int numberDefault;
  const char* textDefault;
  ComputedDefault computedDefault;
  // Read when the value itself is missing: the name an earlier version stored it under.
  const char* earlierName;
};

// The rows of one record, in load order; the seven image-library values point at its statics.
std::vector<SettingRow> SettingsTable(CAppSettings& settings);
