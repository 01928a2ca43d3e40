#include "program_profile.h"

#include <windows.h>

#include <string>

#include "ini_profile.h"
#include "registry_profile.h"

namespace {
constexpr char kCompany[] = "Ashgrove Software";
constexpr char kProgram[] = "Vireldan";
}  // namespace

std::unique_ptr<Profile> OpenProgramProfile() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  ::GetVersionExA(&version);
  if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return std::make_unique<RegistryProfile>(kCompany, kProgram);
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  return std::make_unique<IniProfile>(std::string(windows) + "\\" + kProgram + ".ini");
}
