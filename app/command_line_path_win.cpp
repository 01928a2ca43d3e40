#include "command_line_path.h"

#include <windows.h>

#include "folder_rules.h"

std::string ShellReadyCommandLinePath(const std::string& path) {
  char full[MAX_PATH] = {};
  char* name = nullptr;
  const DWORD length = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const std::string absolute(full, length);
  return IsAbsolutePath(absolute) ? absolute : std::string();
}
