// POSIX stand-ins for file creation, folders, file stamps and deny-write holds.
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_system.h"
#include "filetime.h"

namespace platform {
namespace {

uint64_t Filetime(const timespec& t) {
  return uint64_t(kSecondsFrom1601To1970 + t.tv_sec) * kFileTimeTicksPerSecond + uint64_t(t.tv_nsec) / 100u;
}

}  // namespace

bool CreateNewFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  return fd >= 0 && ::close(fd) == 0;
}

bool MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

std::vector<std::string> SubfolderNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (KindOfPath(folder + kPathSeparator + name) == PathKind::kDirectory) names.push_back(name);
  }
  ::closedir(listing);
  return names;
}

FileLookup LookUpFileStamp(const std::string& path, FileStamp* stamp) {
  struct stat info;
  if (path.find_first_of("*?") != std::string::npos) return FileLookup::kMissing;
  if (::stat(path.c_str(), &info) != 0)
    return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG ? FileLookup::kMissing : FileLookup::kUnknown;
  stamp->size = uint64_t(info.st_size);
  stamp->creation = 0;
  stamp->lastWrite = Filetime(info.st_mtim);
  stamp->directory = S_ISDIR(info.st_mode);
  const size_t slash = path.find_last_of(kPathSeparator);
  stamp->hidden = path.compare(slash == std::string::npos ? 0 : slash + 1, 1, ".") == 0;
  return FileLookup::kFound;
}

DenyWriteHold::Result DenyWriteHold::Take(const std::string& path) {
  Release();
  const int fd = ::open(path.c_str(), O_RDWR);
  if (fd < 0) return Result::kFailed;
  handle_ = fd;
  return Result::kHeld;
}

void DenyWriteHold::Release() {
  if (handle_ != kNone) ::close(int(handle_));
  handle_ = kNone;
}

}  // namespace platform
