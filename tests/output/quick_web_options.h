#pragma once
// The "QuickWeb" settings as a fresh start loads them, for tests that change a few.
#include <filesystem>

#include "app_settings.h"
#include "ini_profile.h"

inline CAppSettings::QuickWeb DefaultQuickWebOptions() {
  IniProfile fresh((std::filesystem::temp_directory_path() / "vireldan-no-such-settings.ini").string());
  CAppSettings settings;
  settings.Load(fresh, SettingsEnvironment{1024, 768, "C:\\V"});
  return settings.quickWeb;
}
