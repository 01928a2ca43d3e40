#pragma once
// Shell shortcuts (".lnk" files). COM must be initialised on the calling thread.
#include <windows.h>

#include <string>

// The shortcut's target in its short (8.3) form; the COM result of the first failing step, with
// the target left empty.
HRESULT ResolveShortcut(const std::string& shortcutPath, std::string& target);
// Makes shortcutPath a shortcut to targetPath. The new link is saved beside an existing one and
// then takes its place, so a failure leaves the old shortcut as it was.
HRESULT CreateShortcut(const std::string& targetPath, const std::string& shortcutPath, const std::string& description);
