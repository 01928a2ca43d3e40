#pragma once
// The volume a folder lies on, as the thumbnail cache needs to know it: where a folder's cache
// lives depends on the kind of drive and on the volume's label.
#include <windows.h>

#include <string>

struct FolderDrive {
  UINT type = DRIVE_NO_ROOT_DIR;
  std::string label = "nameless";  // the volume label; "nameless" when it has none
};

// Asked of the folder's own root, "C:\" for a drive path; a folder on a network share
// ("\\server\share\...") is remote. A folder on no volume (a shell folder such as My Computer)
// has no root directory and no label.
FolderDrive DriveOfFolder(const std::string& folder);
