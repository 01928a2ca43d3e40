#include "setup_registry_win.h"

#include <windows.h>

#include "setup_shell_win.h"

namespace {

// A command line names its program in quotes, so that a folder with blanks still starts it.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

void SetValues(HKEY root, const char* subKey, std::initializer_list<std::pair<const char*, std::string>> values) {
  HKEY key = nullptr;
  if (::RegCreateKeyA(root, subKey, &key) != ERROR_SUCCESS) return;
  for (const auto& [name, text] : values)
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size()));
  ::RegCloseKey(key);
}

}  // namespace

void RegisterInstalledProgram(const std::string& target) {
  const std::string program = JoinPath(target, "Vireldan.exe");
  SetValues(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vireldan",
            {{"DisplayName", "Vireldan image browser"}, {"UninstallString", Quoted(JoinPath(target, "uninstall.exe"))}});
  SetValues(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vireldan.exe",
            {{nullptr, program}, {"Path", target}});
  SetValues(HKEY_CLASSES_ROOT, "Folder\\Shell\\Vireldan\\command", {{nullptr, Quoted(program) + " " + Quoted("%1")}});
}
