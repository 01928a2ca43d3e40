// POSIX stand-ins for the temporary folder, copies, renames within a volume, flushes, long names,
// the recycle bin and file times.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_system.h"

namespace platform {
namespace {

uint64_t Nanoseconds(const timespec& t) { return uint64_t(t.tv_sec) * 1000000000u + uint64_t(t.tv_nsec); }

timespec Timespec(uint64_t nanoseconds) {
  timespec t;
  t.tv_sec = time_t(nanoseconds / 1000000000u);
  t.tv_nsec = long(nanoseconds % 1000000000u);
  return t;
}

}  // namespace

std::string TemporaryFolder() {
  const char* set = std::getenv("TMPDIR");
  std::string folder = set && *set ? set : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder.size() < kMaxPath ? folder : std::string();
}

bool CopyFileBytes(const std::string& from, const std::string& to) {
  FILE* in = std::fopen(from.c_str(), "rb");
  if (!in) return false;
  FILE* out = std::fopen(to.c_str(), "wbx");  // never onto a file that is there
  bool copied = out != nullptr;
  char buffer[1 << 16];
  size_t n;
  while (copied && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0) copied = std::fwrite(buffer, 1, n, out) == n;
  copied = copied && !std::ferror(in);
  if (out) copied = std::fclose(out) == 0 && copied;
  std::fclose(in);
  if (!copied && out) ::unlink(to.c_str());
  return copied;
}

std::string LongPathName(const std::string& path) { return path; }

RenameResult RenameOnVolume(const std::string& from, const std::string& to) {
  if (FileExists(to)) return RenameResult::kFailed;
  if (std::rename(from.c_str(), to.c_str()) == 0) return RenameResult::kRenamed;
  return errno == EXDEV ? RenameResult::kOtherVolume : RenameResult::kFailed;
}

bool FlushFileToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  return ::close(fd) == 0 && flushed;
}

bool SendToRecycleBin(const std::string& path) {
  const char* trash = std::getenv("VIRELDAN_TRASH");
  if (!trash || !*trash) return ::unlink(path.c_str()) == 0;
  // Like a real recycle bin, it keeps every file sent to it under the same name.
  const std::string kept = std::string(trash) + "/" + FileNameOf(path);
  if (MoveFileTo(path, kept)) return true;
  for (int n = 1; n < 1000 && FileExists(path); ++n)
    if (MoveFileTo(path, kept + "." + std::to_string(n))) return true;
  return false;
}

bool ReadFileTimes(const std::string& path, FileTimes* times) {
  struct stat info;
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool read = ::fstat(fd, &info) == 0;
  ::close(fd);
  if (!read) return false;
  times->creation = 0;
  times->lastAccess = Nanoseconds(info.st_atim);
  times->lastWrite = Nanoseconds(info.st_mtim);
  return true;
}

bool WriteFileTimes(const std::string& path, const FileTimes& times) {
  const int fd = ::open(path.c_str(), O_WRONLY);
  if (fd < 0) return false;
  const timespec both[2] = {Timespec(times.lastAccess), Timespec(times.lastWrite)};
  const bool set = ::futimens(fd, both) == 0;
  return ::close(fd) == 0 && set;
}

}  // namespace platform
