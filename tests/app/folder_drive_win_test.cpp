// The drive a folder lies on, which decides where its thumbnail cache lives: asked of the
// folder's own root, never of a root made from its first character.
#include <windows.h>

#include <gtest/gtest.h>

#include "folder_drive.h"

TEST(FolderDrive, TheDriveIsThatOfTheFoldersOwnRoot) {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const struct {
    std::string folder;
    UINT type;
  } cases[] = {
      {std::string(windows) + "\\", ::GetDriveTypeA(std::string(windows).substr(0, 3).c_str())},
      {"\\\\server-of-vireldan-tests\\share\\photos\\", DRIVE_REMOTE},  // not "\:\"
      {"\\\\server-of-vireldan-tests\\share", DRIVE_REMOTE},
      {"", DRIVE_NO_ROOT_DIR},  // My Computer and other shell folders
      {"photos\\", DRIVE_NO_ROOT_DIR},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveOfFolder(c.folder).type, c.type) << c.folder;
  EXPECT_EQ(DriveOfFolder("\\\\server-of-vireldan-tests\\share\\").label, "nameless");
  EXPECT_EQ(DriveOfFolder("").label, "nameless");
}
