#include "folder_drive.h"

#include "folder_rules.h"

FolderDrive DriveOfFolder(const std::string& folder) {
  FolderDrive drive;
  const std::string root = VolumeRootOf(folder);
  if (root.empty()) return drive;
  drive.type = ::GetDriveTypeA(root.c_str());
  char label[MAX_PATH] = {};
  if (::GetVolumeInformationA(root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
    drive.label = label;
  return drive;
}
