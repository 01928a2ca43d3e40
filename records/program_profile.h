#pragma once
// Where Vireldan and Thumbwell keep their settings: one store for both, so the values the cache
// builder reads are the ones the program wrote.
#include <memory>

#include "profile.h"

// Windows 95, 98 and Me keep the settings under the program's registry key; NT-family systems in
// the program's INI file in the Windows folder.
std::unique_ptr<Profile> OpenProgramProfile();
