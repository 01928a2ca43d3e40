#include "folder_entries.h"

namespace platform {

std::vector<FolderEntry> FolderEntries(const std::string& folder) {
  std::vector<FolderEntry> entries;
  ListFolder(folder, [&](const FolderEntry& entry) {
    entries.push_back(entry);
    return true;
  });
  return entries;
}

}  // namespace platform
