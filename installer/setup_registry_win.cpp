#include "setup_registry_win.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "setup_shell_win.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vireldan";
const char kAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vireldan.exe";
const char kFolderVerbKey[] = "Folder\\Shell\\Vireldan";
const char kFolderCommandKey[] = "Folder\\Shell\\Vireldan\\command";

// A command line names its program in quotes, so that a folder with blanks still starts it.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

void SetValues(HKEY root, const char* subKey, std::initializer_list<std::pair<const char*, std::string>> values) {
  HKEY key = nullptr;
  if (::RegCreateKeyA(root, subKey, &key) != ERROR_SUCCESS) return;
  for (const auto& [name, text] : values)
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size()));
  ::RegCloseKey(key);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

// Whether the key's value names the file (in any case, quoted or not); a missing key or value
// names nothing.
bool ValueNames(HKEY root, const char* subKey, const char* name, const std::string& path) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  if (::RegGetValueA(root, subKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return false;
  return Lower(value).find(Lower(path)) != std::string::npos;
}

bool DeleteKey(HKEY root, const char* subKey) {
  const LSTATUS result = ::RegDeleteKeyA(root, subKey);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace

void RegisterInstalledProgram(const std::string& target) {
  const std::string program = JoinPath(target, "Vireldan.exe");
  SetValues(HKEY_LOCAL_MACHINE, kUninstallKey,
            {{"DisplayName", "Vireldan image browser"}, {"UninstallString", Quoted(JoinPath(target, "uninstall.exe"))}});
  SetValues(HKEY_LOCAL_MACHINE, kAppPathKey, {{nullptr, program}, {"Path", target}});
  SetValues(HKEY_CLASSES_ROOT, kFolderCommandKey, {{nullptr, Quoted(program) + " " + Quoted("%1")}});
}

bool UnregisterInstalledProgram(const std::string& target) {
  const std::string program = JoinPath(target, "Vireldan.exe");
  bool removed = true;
  if (ValueNames(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", JoinPath(target, "uninstall.exe")))
    removed &= DeleteKey(HKEY_LOCAL_MACHINE, kUninstallKey);
  if (ValueNames(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr, program)) removed &= DeleteKey(HKEY_LOCAL_MACHINE, kAppPathKey);
  if (ValueNames(HKEY_CLASSES_ROOT, kFolderCommandKey, nullptr, program))
    removed &= DeleteKey(HKEY_CLASSES_ROOT, kFolderCommandKey) && DeleteKey(HKEY_CLASSES_ROOT, kFolderVerbKey);
  return removed;
}
