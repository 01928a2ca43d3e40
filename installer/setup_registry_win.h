#pragma once
// The registry entries through which Windows lists, starts and uninstalls the program and the
// shell opens folders with it. A key that cannot be created is skipped.
#include <string>

void RegisterInstalledProgram(const std::string& target);
