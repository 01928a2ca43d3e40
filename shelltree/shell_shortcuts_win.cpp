#include "shell_shortcuts.h"

#include "file_system.h"
#include "shell_link_win.h"

HRESULT ResolveShortcut(const std::string& shortcutPath, std::string& target) {
  target.clear();
  platform::ShellLink link;
  std::string found;
  HRESULT result = link.Load(shortcutPath);
  if (SUCCEEDED(result)) result = link.GetTarget(found, true);
  if (SUCCEEDED(result)) target = found;
  return result;
}

HRESULT CreateShortcut(const std::string& targetPath, const std::string& shortcutPath, const std::string& description) {
  const std::string temporary = platform::TemporaryNameBeside(shortcutPath);
  if (temporary.empty()) return E_INVALIDARG;
  platform::ShellLink link;
  HRESULT result = link.SetTarget(targetPath);
  if (SUCCEEDED(result)) result = link.SetDescription(description);
  if (SUCCEEDED(result)) result = link.Save(temporary);
  if (SUCCEEDED(result) && !platform::ReplaceFileWith(temporary, shortcutPath)) result = E_FAIL;
  if (FAILED(result)) platform::RemoveFile(temporary);
  return result;
}
