// POSIX stand-in for folder listings: a file is hidden when its name starts with a dot.
#include <dirent.h>
#include <sys/stat.h>

#include "file_system.h"

namespace platform {

std::vector<FolderEntry> FolderEntries(const std::string& folder) {
  std::vector<FolderEntry> entries;
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return entries;
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != kPathSeparator) prefix += kPathSeparator;
  while (const dirent* found = ::readdir(listing)) {
    FolderEntry entry;
    entry.name = found->d_name;
    if (entry.name == "." || entry.name == ".." || !FindFileStamp(prefix + entry.name, &entry.stamp)) continue;
    entries.push_back(std::move(entry));
  }
  ::closedir(listing);
  return entries;
}

}  // namespace platform
