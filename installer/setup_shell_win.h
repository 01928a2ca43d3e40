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

// Writes the shortcut folder + linkName to target, replacing a file of that name. False only when
// the shortcut could not be saved; without a shell link object there is nothing to save.
bool CreateShellLink(const std::string& target, const std::string& folder, const std::string& linkName,
                        const std::string& description);

// The file a shortcut leads to; empty when it cannot be read.
std::string ShellLinkTarget(const std::string& linkPath);

// Whether an existing file cannot be replaced or removed now, as when a running program has it
// loaded or open. A missing file is not in use.
bool FileIsInUse(const std::string& path);
