#include "shortcut.h"

namespace platform {

bool ResolveShortcutTarget(std::string&) { return false; }

}  // namespace platform
