// Unfurl, the installer: checks its own bytes, asks where to install, unpacks the payload that
// follows the program, and makes the shortcuts and registry entries of the installed program.
#include <windows.h>
#include <shlobj.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "install_links_win.h"
#include "payload_extract_win.h"
#include "payload_format.h"
#include "setup_dialogs_win.h"
#include "setup_registry_win.h"
#include "setup_shell_win.h"
#include "unfurl_resource.h"

namespace {

// Exit codes: 0 installed, 1 stopped (cancelled, or a step failed), 2 the install file is damaged.
constexpr int kInstalled = 0, kStopped = 1, kDamaged = 2;

// A "-" word of the command line: the letters match in any case and the line goes on with "="
// or ends right after them.
bool MatchOption(const char* commandLine, const char* option) {
  for (const char* dash = commandLine; (dash = std::strchr(dash, '-')) != nullptr; ++dash) {
    const char* c = dash + 1;
    const char* o = option;
    while (*o && std::toupper(static_cast<unsigned char>(*c)) == *o) ++c, ++o;
    if (!*o && (*c == '=' || *c == '\0')) return true;
  }
  return false;
}

std::string DefaultTarget() {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA("C:\\Vireldan", &found);
  if (search != INVALID_HANDLE_VALUE) {
    ::FindClose(search);
    return "C:\\Vireldan";
  }
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "";
  char value[1000] = {};
  DWORD type = 0, size = sizeof value - 1;
  const bool read = ::RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                        ERROR_SUCCESS && type == REG_SZ;
  ::RegCloseKey(key);
  return read ? std::string(value) + "\\Vireldan" : "C:\\Vireldan";
}

bool ReadOwnFile(std::vector<uint8_t>& bytes) {
  char path[MAX_PATH] = {};
  if (!::GetModuleFileNameA(nullptr, path, MAX_PATH)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !bytes.empty();
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Asks until a usable target folder exists. Under QUIET nothing can be asked again, so the
// first refusal ends the installation.
bool ChooseTarget(InstallChoices& choices, bool quiet) {
  for (;;) {
    if (!quiet && ShowOptions(choices) != 1) return false;
    choices.target = NormalisedPath(choices.target);
    std::string desktop;
    if (GetSpecialFolderPath(CSIDL_DESKTOP, desktop) && lstrcmpiA(NormalisedPath(desktop).c_str(), choices.target.c_str()) == 0) {
      ::MessageBoxA(nullptr,
                    "You cannot install directly to the desktop\nHowever, a shortcut to the program can be placed on the desktop.",
                    "Cannot install to desktop", MB_OK | MB_ICONEXCLAMATION);
    } else if (Exists(choices.target)) {
      if (ShowMessageDialog(IDD_REPLACE) == 1) return true;
    } else if (::CreateDirectoryA(choices.target.c_str(), nullptr)) {
      return true;
    } else {
      ShowInstallError("Error creating installation directory\n\nPlease try a different name");
    }
    if (quiet) return false;
  }
}

void MakeSubFolder(const std::string& target, const char* name, const char* failure) {
  const std::string folder = JoinPath(target, name);
  if (!Exists(folder) && !::CreateDirectoryA(folder.c_str(), nullptr)) ShowInstallError(failure);
}

// False when a shortcut could not be saved, which ends the installation. Without a Programs
// folder the group's shortcuts have no place; the program itself is installed all the same.
bool MakeShortcuts(const InstallChoices& choices, bool quiet) {
  const std::string group = ProgramGroupFolder();
  if (!group.empty())
    ::CreateDirectoryA(group.c_str(), nullptr);
  else if (!quiet)
    ShowInstallError("This computer has no Programs folder: the Vireldan program group was not made.\n"
                     "Vireldan is installed in " + choices.target);
  for (const InstallLink& link : InstallLinks(choices.target, choices.startMenuLink, choices.desktopLink)) {
    // A shortcut to a program this payload does not carry would point at nothing.
    if (link.folder.empty() || !Exists(link.target)) continue;
    if (!CreateShellLink(link.target, link.folder, link.name, link.description)) return false;
  }
  return true;
}

int InstallMain(const char* commandLine) {
  const bool quiet = MatchOption(commandLine, "QUIET");
  InstallChoices choices;
  choices.target = DefaultTarget();

  std::vector<uint8_t> installer;
  if (!ReadOwnFile(installer) || !PayloadChecksumMatches(installer)) {
    ShowMessageDialog(IDD_CHECKSUM);
    return kDamaged;
  }
  // The checksum proves the file is as built, not that whoever built it meant well: every
  // name and size is checked before anything is written.
  PayloadDirectory directory;
  std::string problem;
  if (!ReadPayloadDirectory(installer, directory, problem)) {
    ShowInstallError("The install file cannot be used: " + problem + ".\nThe installation has been aborted");
    return kDamaged;
  }

  if (!quiet && ShowAgreement() != 1) return kStopped;
  if (!ChooseTarget(choices, quiet)) return kStopped;

  // Replacing the files a running Vireldan holds fails half-way and leaves old and new files
  // side by side, so one file that cannot be replaced stops the installation before any is.
  for (const PayloadEntry& entry : directory.entries) {
    const std::string path = JoinPath(choices.target, entry.name);
    if (FileIsInUse(path)) {
      ShowInstallError("Cannot replace " + path + "\nIt is in use: Vireldan must be closed before it is installed again.\n\n"
                       "Please close Vireldan and run the installation again");
      return kStopped;
    }
  }

  MakeSubFolder(choices.target, "printsetups",
                "Error creating the print setups sub-directory\nPrint setups will not be available");
  MakeSubFolder(choices.target, "vnsaver", "Error creating the VNsaver sub-directory\nVN Screen saver will not function properly");
  const HRESULT com = ::CoInitialize(nullptr);
  MakeSubFolder(choices.target, "SendTo",
                "Error creating the Send To sub-directory\nSend To popup functions will not be available");

  for (const PayloadEntry& entry : directory.entries)
    if (!ExtractPayloadEntry(installer, choices.target, entry)) return kStopped;

  if (com != S_OK) {
    ShowInstallError("Error initializing ShortCut creation DLLs\n Shortcuts not installed");
    return kStopped;
  }
  const bool linked = MakeShortcuts(choices, quiet);
  ::CoUninitialize();
  if (!linked) return kStopped;
  RegisterInstalledProgram(choices.target);
  if (!quiet) ShowMessageDialog(IDD_COMPLETE);
  return kInstalled;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) { return InstallMain(commandLine); }
