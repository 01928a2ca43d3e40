#include "shortcut.h"

namespace platform {

bool ResolveShortcutTarget(std::string&, TargetForm) { return false; }

}  // namespace platform
