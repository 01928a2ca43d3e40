#pragma once
// The shortcuts an installation makes, shared by the installer that writes them and the
// uninstaller that removes them again.
#include <string>
#include <vector>

struct InstallLink {
  std::string folder, name;  // the link file is folder + name
  std::string target, description;
};

// The program group's folder: in the all-users Programs folder, or the user's own when there is
// none; empty when the shell has neither.
std::string ProgramGroupFolder();

// The links of an installation into the target folder; the start-menu and desktop ones only when
// asked for. A folder the shell does not have is left empty.
std::vector<InstallLink> InstallLinks(const std::string& target, bool startMenu, bool desktop);
