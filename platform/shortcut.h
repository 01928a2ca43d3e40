#pragma once
// Shell shortcuts (.lnk files). Only Windows has them; elsewhere nothing resolves.
#include <string>

namespace platform {

enum class TargetForm { kShort, kLong };

// Replaces path by the target of the shortcut it names, through the shell's link object (no
// window, no user interface; the short form of the target path unless the long one is asked for,
// as where the name is kept and matched against folder listings). False, with path unchanged,
// when any step fails. The calling thread must have initialised COM.
bool ResolveShortcutTarget(std::string& path, TargetForm form = TargetForm::kShort);

}  // namespace platform
