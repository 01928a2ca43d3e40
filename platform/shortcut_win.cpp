#include "shell_link_win.h"
#include "shortcut.h"

namespace platform {

bool ResolveShortcutTarget(std::string& path, TargetForm form) {
  ShellLink link;
  std::string target;
  if (FAILED(link.Load(path)) || FAILED(link.Resolve()) ||
      FAILED(link.GetTarget(target, form == TargetForm::kShort)) || target.empty())
    return false;
  path = target;
  return true;
}

}  // namespace platform
