#pragma once
// What the uninstaller removes: the installed files, the shortcuts and program group, and the
// registry entries of the installation in one folder.
#include <string>
#include <vector>

struct UninstallResult {
  std::vector<std::string> filesInUse;  // installed files that could not be removed: nothing else was
  bool folderKept = false;              // the folder holds files the installer did not put there
  bool registryKept = false;            // an entry of the installation could not be removed
};

// Whether the folder holds an installation (the sub-folders the installer makes).
bool IsInstallationFolder(const std::string& folder);

// Removes the installation in folder, all of it or, while one of its files is in use, nothing
// but the files that could be removed, so that running the uninstaller again finishes the work.
UninstallResult RemoveInstallation(const std::string& folder);
