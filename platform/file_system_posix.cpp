// POSIX stand-ins for the native tree.
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "file_system.h"

namespace platform {

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

bool SetHiddenAttribute(const std::string&, bool) { return true; }

// The owner's write permission stands for the attribute: unlike asking access(), it holds for the
// superuser too, as the attribute does for an administrator.
bool IsReadOnlyFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0;
}

PathKind KindOfPath(const std::string& path) {
  struct stat info;
  if (path.empty() || path.find_first_of("*?") != std::string::npos || ::stat(path.c_str(), &info) != 0)
    return PathKind::kMissing;
  if (S_ISDIR(info.st_mode)) return PathKind::kDirectory;
  // A trailing separator asks for a folder.
  return path.back() == '/' ? PathKind::kMissing : PathKind::kFile;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

// POSIX removes an open file's name all the same; nothing here tells whether one is open.
bool RemoveFileUnlessInUse(const std::string& path) { return RemoveFile(path); }

}  // namespace platform
