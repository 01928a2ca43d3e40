#include "key_view_support.h"

#include "app_settings.h"
#include "path_separators.h"
#include "progress_window.h"

std::string CurrentFolder() { return platform::WithoutTrailingSeparators(g_settings.mainOptions.mainpath, '\\'); }

std::string CurrentDirectory() {
  char folder[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, folder);
  return platform::WithoutTrailingSeparators(length < MAX_PATH ? std::string(folder, length) : std::string());
}

KeyWalkEscape::KeyWalkEscape() { g_bCancel = 0; }

bool KeyWalkEscape::CancelRequested() {
  if (::GetAsyncKeyState(VK_ESCAPE) < 0) g_bCancel = 1;
  return g_bCancel != 0;
}
