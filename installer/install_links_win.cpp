#include "install_links_win.h"

#include <shlobj.h>

#include "setup_shell_win.h"

namespace {

// The folder of a shortcut: the all-users one, or the user's own when there is none.
std::string LinkFolder(int common, int own) {
  std::string folder;
  if (!GetSpecialFolderPath(common, folder)) GetSpecialFolderPath(own, folder);
  return folder;
}

}  // namespace

// With no Programs folder at all the group has no place: made from an empty folder it would be
// "\Vireldan" at the root of the current drive.
std::string ProgramGroupFolder() {
  const std::string programs = LinkFolder(CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS);
  return programs.empty() ? programs : programs + "\\Vireldan";
}

std::vector<InstallLink> InstallLinks(const std::string& target, bool startMenu, bool desktop) {
  const std::string program = JoinPath(target, "Vireldan.exe");
  const std::string group = ProgramGroupFolder();
  std::vector<InstallLink> links;
  if (startMenu)
    links.push_back({LinkFolder(CSIDL_COMMON_STARTMENU, CSIDL_STARTMENU), "\\Vireldan.LNK", program, "Link to Vireldan"});
  std::string desktopFolder;
  if (desktop && GetSpecialFolderPath(CSIDL_DESKTOP, desktopFolder))
    links.push_back({desktopFolder, "\\Vireldan.LNK", program, "Link to Vireldan"});
  links.push_back({group, "\\- Vireldan.lnk", program, "Link to Vireldan"});
  links.push_back({group, "\\Vireldan Thumbwell.lnk", JoinPath(target, "thumbwell.exe"), "Link to Thumbwell"});
  links.push_back({group, "\\Vireldan uninstall.lnk", JoinPath(target, "uninstall.exe"), "Link to Uninstall file"});
  return links;
}
