#include "folder_drive.h"

#include "folder_rules.h"

FolderDrive DriveOfFolder(const std::string& folder) {
  FolderDrive drive;
  const std::string root = VolumeRootOf(folder);
  if (root.empty()) return drive;
  // A share is remote whatever the system says of its root (Wine calls a share that it maps to a
  // local folder fixed; Windows calls an unreachable one no root at all).
  drive.type = root[0] == '\\' ? DRIVE_REMOTE : ::GetDriveTypeA(root.c_str());
  char label[MAX_PATH] = {};
  if (::GetVolumeInformationA(root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
    drive.label = label;
  return drive;
}
