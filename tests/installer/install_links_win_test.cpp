// Where an installation's shortcuts go, with the shell's Programs folders as it reports them: the
// all-users one, the user's own when that is missing, and none at all (a broken or stripped-down
// profile), when the group has no place and nothing is meant for the root of the current drive.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "install_links_win.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Moves one of the shell's folders to a drive that is not there while it lives, as the shell
// reads them from the registry on every request; puts the value back as it was afterwards.
class MovedShellFolder {
 public:
  MovedShellFolder(HKEY root, const char* name) : name_(name) {
    if (::RegOpenKeyExA(root, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) return;
    DWORD size = sizeof old_ - 1;
    had_ = ::RegQueryValueExA(key_, name_, nullptr, &type_, reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
    const char nowhere[] = "Q:\\nowhere\\Programs";
    ::RegSetValueExA(key_, name_, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(nowhere), sizeof nowhere);
  }
  ~MovedShellFolder() {
    if (!key_) return;
    if (had_)
      ::RegSetValueExA(key_, name_, 0, type_, reinterpret_cast<const BYTE*>(old_), DWORD(strlen(old_) + 1));
    else
      ::RegDeleteValueA(key_, name_);
    ::RegCloseKey(key_);
  }
  MovedShellFolder(const MovedShellFolder&) = delete;
  MovedShellFolder& operator=(const MovedShellFolder&) = delete;

 private:
  HKEY key_ = nullptr;
  const char* name_;
  bool had_ = false;
  DWORD type_ = REG_EXPAND_SZ;
  char old_[MAX_PATH] = {};
};

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  return ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

// The three group links lie in the group folder, whatever it is; no link is meant for a root.
void ExpectGroupIn(const std::string& group) {
  EXPECT_EQ(ProgramGroupFolder(), group);
  int inGroup = 0;
  for (const InstallLink& link : InstallLinks("C:\\Program Files\\Vireldan", true, true)) {
    EXPECT_NE(link.folder.rfind('\\', 0), 0u) << link.name << " in " << link.folder;
    inGroup += link.folder == group && link.name != "\\Vireldan.LNK";
  }
  EXPECT_EQ(inGroup, 3);
}

TEST(InstallLinks, TheProgramGroupGoesInTheFirstProgramsFolderTheShellHasAndNowhereWithoutOne) {
  const std::string common = SpecialFolder(CSIDL_COMMON_PROGRAMS), own = SpecialFolder(CSIDL_PROGRAMS);
  ASSERT_FALSE(common.empty());
  ASSERT_FALSE(own.empty());
  ExpectGroupIn(common + "\\Vireldan");
  {
    MovedShellFolder noCommon(HKEY_LOCAL_MACHINE, "Common Programs");
    ASSERT_EQ(SpecialFolder(CSIDL_COMMON_PROGRAMS), "");
    ExpectGroupIn(own + "\\Vireldan");
    MovedShellFolder noOwn(HKEY_CURRENT_USER, "Programs");
    ASSERT_EQ(SpecialFolder(CSIDL_PROGRAMS), "");
    ExpectGroupIn("");
  }
  EXPECT_EQ(SpecialFolder(CSIDL_COMMON_PROGRAMS), common);
  EXPECT_EQ(SpecialFolder(CSIDL_PROGRAMS), own);
}

}  // namespace
