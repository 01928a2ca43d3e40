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

// The installed files in folder, the uninstaller itself aside, that cannot be removed now
// (Vireldan is running); removing the installation then would leave a broken program behind.
std::vector<std::string> InstalledFilesInUse(const std::string& folder);

// Removes the installation in folder, with the files the program writes beside itself: all of
// it, or nothing while one of its files is in use. Should a file be taken between the check and
// its removal, only the files that could be removed go, so running the uninstaller again
// finishes the work.
UninstallResult RemoveInstallation(const std::string& folder);
