#include "uninstall_steps_win.h"

#include <windows.h>

#include "install_links_win.h"
#include "installed_files.h"
#include "setup_registry_win.h"
#include "setup_shell_win.h"

namespace {

const char kUninstaller[] = "uninstall.exe";
const char* const kSubFolders[] = {"printsetups", "vnsaver", "SendTo"};
// What Vireldan writes into its own folder: the key tree it keeps between runs.
const char* const kProgramWrittenFiles[] = {"startup.iif"};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// True when the file is gone, also when it never was there.
bool Remove(const std::string& path) { return ::DeleteFileA(path.c_str()) || !Exists(path); }

// A link of the name may be another installation's: only one leading into this folder goes.
void RemoveLinks(const std::string& folder) {
  for (const InstallLink& link : InstallLinks(folder, true, true)) {
    const std::string path = link.folder + link.name;
    if (!link.folder.empty() && lstrcmpiA(ShellLinkTarget(path).c_str(), link.target.c_str()) == 0)
      ::DeleteFileA(path.c_str());
  }
  ::RemoveDirectoryA(ProgramGroupFolder().c_str());  // only when nothing else is in the group
}

}  // namespace

bool IsInstallationFolder(const std::string& folder) {
  for (const char* sub : kSubFolders)
    if (Exists(JoinPath(folder, sub))) return true;
  return false;
}

std::vector<std::string> InstalledFilesInUse(const std::string& folder) {
  std::vector<std::string> inUse;
  for (const char* name : kInstalledFiles)
    if (lstrcmpiA(name, kUninstaller) != 0 && FileIsInUse(JoinPath(folder, name))) inUse.push_back(name);
  return inUse;
}

UninstallResult RemoveInstallation(const std::string& folder) {
  UninstallResult result;
  result.filesInUse = InstalledFilesInUse(folder);
  if (!result.filesInUse.empty()) return result;
  for (const char* name : kInstalledFiles)
    if (lstrcmpiA(name, kUninstaller) != 0 && !Remove(JoinPath(folder, name))) result.filesInUse.push_back(name);
  if (!result.filesInUse.empty()) return result;

  for (const char* name : kProgramWrittenFiles) Remove(JoinPath(folder, name));

  Remove(JoinPath(folder, kUninstaller));
  RemoveLinks(folder);
  result.registryKept = !UnregisterInstalledProgram(folder);
  // Folders still holding the user's files (screen-saver pictures, favourites, keys) stay.
  for (const char* sub : kSubFolders) ::RemoveDirectoryA(JoinPath(folder, sub).c_str());
  result.folderKept = !::RemoveDirectoryA(folder.c_str()) && Exists(folder);
  return result;
}
