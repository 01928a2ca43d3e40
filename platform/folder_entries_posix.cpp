// POSIX stand-in for folder listings: a file is hidden when its name starts with a dot.
#include <dirent.h>
#include <sys/stat.h>

#include "folder_entries.h"

namespace platform {

bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit) {
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return false;
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != kPathSeparator) prefix += kPathSeparator;
  while (const dirent* found = ::readdir(listing)) {
    const std::string name = found->d_name;
    if (name == "." || name == "..") continue;
    struct stat status = {};
    if (::lstat((prefix + name).c_str(), &status) != 0) continue;
    FolderEntry entry;
    entry.name = name;
    entry.isLink = S_ISLNK(status.st_mode);
    // A link is described by what it points to, as a Win32 listing describes a junction.
    if (!FindFileStamp(prefix + name, &entry.stamp)) entry.stamp = FileStamp();
    if (entry.stamp.directory) entry.stamp.size = 0;
    if (!visit(entry)) break;
  }
  ::closedir(listing);
  return true;
}

}  // namespace platform
