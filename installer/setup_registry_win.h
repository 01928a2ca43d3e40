#pragma once
// The registry entries through which Windows lists, starts and uninstalls the program and the
// shell opens folders with it. A key that cannot be created is skipped.
#include <string>

void RegisterInstalledProgram(const std::string& target);

// Removes the entries again, each only while it still names the installation in target (another
// installation elsewhere keeps its own). False when one of them could not be removed.
bool UnregisterInstalledProgram(const std::string& target);
