// uninstall.exe: asks, then removes the installation in its own folder. A running program file
// cannot be deleted, so the work is done by a copy of the uninstaller in the temporary folder,
// which waits for the first one to end and is itself removed at the next restart.
//   uninstall.exe [-quiet]                                       the user's start
//   <copy> [-quiet] -remove=<handle of the first> -folder=<folder>  the copy's start
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "uninstall_steps_win.h"

namespace {

// Exit codes: 0 removed (or the removal started), 1 cancelled, 2 not removed.
constexpr int kRemoved = 0, kCancelled = 1, kFailed = 2;
const char kCaption[] = "Vireldan uninstall";

// What follows a "-name" word of the command line (its "=" value, a blank or the end); nullptr
// when the word is not there.
const char* FindOption(const char* commandLine, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* dash = commandLine; (dash = std::strchr(dash, '-')) != nullptr; ++dash) {
    if ((dash == commandLine || dash[-1] == ' ') && _strnicmp(dash + 1, name, length) == 0 &&
        (dash[1 + length] == '\0' || dash[1 + length] == ' ' || dash[1 + length] == '='))
      return dash + 1 + length;
  }
  return nullptr;
}

std::string OwnPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

int Tell(bool quiet, const std::string& text, UINT icon, int code) {
  if (!quiet) ::MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | icon);
  return code;
}

int TellFilesInUse(const std::vector<std::string>& files, bool quiet) {
  std::string names;
  for (const std::string& name : files) names += "\n    " + name;
  return Tell(quiet, "Vireldan must be closed before it is removed: these of its files are in use:" + names +
                         "\n\nClose Vireldan and run the uninstaller again.", MB_ICONERROR, kFailed);
}

// Starts the copy in the temporary folder, handing it this process to wait for.
int StartRemovalCopy(const std::string& folder, bool quiet) {
  char temporary[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temporary);
  const std::string copy = std::string(temporary) + "vireldan-uninstall-" + std::to_string(::GetCurrentProcessId()) + ".exe";
  HANDLE self = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0);
  std::string command = "\"" + copy + "\"" + (quiet ? " -quiet" : "") + " -remove=" +
                        std::to_string(reinterpret_cast<uintptr_t>(self)) + " -folder=" + folder;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CopyFileA(OwnPath().c_str(), copy.c_str(), FALSE) ||
      !::CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    ::DeleteFileA(copy.c_str());
    return Tell(quiet, "The uninstaller could not start its work from the temporary folder " + std::string(temporary) +
                           ".\nNothing was removed.", MB_ICONERROR, kFailed);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return kRemoved;
}

int RemoveAfter(HANDLE first, const std::string& folder, bool quiet) {
  ::WaitForSingleObject(first, INFINITE);
  ::CloseHandle(first);
  ::CoInitialize(nullptr);
  const UninstallResult result = RemoveInstallation(folder);
  ::CoUninitialize();
  ::MoveFileExA(OwnPath().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  if (!result.filesInUse.empty()) return TellFilesInUse(result.filesInUse, quiet);
  std::string text = "Vireldan has been removed.";
  if (result.folderKept)
    text += "\n\nThe folder " + folder + " was left in place: it holds files that Vireldan did not install "
            "(screen-saver pictures, favourites, keys or files of your own).";
  if (result.registryKept)
    text += "\n\nSome of its registry entries could not be removed (the uninstaller may need an "
            "administrator's rights).";
  return Tell(quiet, text, result.registryKept ? MB_ICONWARNING : MB_ICONINFORMATION,
              result.registryKept ? kFailed : kRemoved);
}

int UninstallMain(const char* commandLine) {
  const bool quiet = FindOption(commandLine, "quiet") != nullptr;
  const char* handle = FindOption(commandLine, "remove");
  const char* folder = FindOption(commandLine, "folder");
  if (handle && *handle == '=' && folder && *folder == '=')
    return RemoveAfter(reinterpret_cast<HANDLE>(std::strtoul(handle + 1, nullptr, 10)), folder + 1, quiet);

  const std::string installed = FolderOf(OwnPath());
  if (!IsInstallationFolder(installed))
    return Tell(quiet, "Vireldan is not installed in " + installed + ".\nNothing was removed.", MB_ICONERROR, kFailed);
  // Checked here, in the process the user started, so that the answer and the exit code are this one's.
  const std::vector<std::string> inUse = InstalledFilesInUse(installed);
  if (!inUse.empty()) return TellFilesInUse(inUse, quiet);
  if (!quiet && ::MessageBoxA(nullptr,
                              ("Remove Vireldan and all of its files from the folder\n" + installed +
                               " ?\n\nPictures and other files you added there are kept.").c_str(),
                              kCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return kCancelled;
  return StartRemovalCopy(installed, quiet);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) { return UninstallMain(commandLine); }
