#include <dirent.h>
#include <sys/stat.h>

#include "folder_entries.h"

namespace platform {

bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit) {
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return false;
  while (const dirent* found = ::readdir(listing)) {
    const std::string name = found->d_name;
    if (name == "." || name == "..") continue;
    struct stat status = {};
    if (::lstat((folder + "/" + name).c_str(), &status) != 0) continue;
    FolderEntry entry;
    entry.name = name;
    if (S_ISLNK(status.st_mode)) {
      struct stat target = {};
      entry.isLink = true;
      entry.isFolder = ::stat((folder + "/" + name).c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    } else {
      entry.isFolder = S_ISDIR(status.st_mode);
    }
    if (!entry.isFolder && !entry.isLink) entry.size = uint64_t(status.st_size);
    if (!visit(entry)) break;
  }
  ::closedir(listing);
  return true;
}

}  // namespace platform
