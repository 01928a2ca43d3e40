#pragma once
// Folders and shortcuts of the shell, as the installer uses them.
#include <windows.h>

#include <string>

// a + "\" + b.
std::string JoinPath(const std::string& a, const std::string& b);

// The folder's path; false when the shell has no location for it.
bool GetSpecialFolderPath(int csidl, std::string& path);

// The full, normalised form of a path (no trailing backslash), for comparing folders.
std::string NormalisedPath(const std::string& path);

// Writes the shortcut folder + linkName to target, replacing a file of that name. S_OK, or the
// error of the shell link object.
HRESULT CreateShellLink(const std::string& target, const std::string& folder, const std::string& linkName,
                        const std::string& description);
