#include "current_folders.h"

#include <windows.h>

#include "app_settings.h"
#include "path_separators.h"

std::string CurrentFolder() { return platform::WithoutTrailingSeparators(g_settings.mainOptions.mainpath, '\\'); }

std::string CurrentDirectory() {
  char folder[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, folder);
  return platform::WithoutTrailingSeparators(length < MAX_PATH ? std::string(folder, length) : std::string());
}
