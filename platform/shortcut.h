#pragma once
// Shell shortcuts (.lnk files). Only Windows has them; elsewhere nothing resolves.
#include <string>

namespace platform {

// Replaces path by the target of the shortcut it names, through the shell's link object (no
// window, no user interface, the short form of the target path). False, with path unchanged,
// when any step fails. The calling thread must have initialised COM.
bool ResolveShortcutTarget(std::string& path);

}  // namespace platform
