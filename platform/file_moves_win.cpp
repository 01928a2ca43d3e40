// The Win32 temporary folder, copies, renames within a volume, flushes, long names, the recycle
// bin and file times.
#include <windows.h>
#include <shellapi.h>

#include "file_system.h"
#include "while_in_use_win.h"

namespace platform {
namespace {

uint64_t FromFiletime(const FILETIME& t) { return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

FILETIME ToFiletime(uint64_t t) {
  FILETIME f;
  f.dwLowDateTime = DWORD(t);
  f.dwHighDateTime = DWORD(t >> 32);
  return f;
}

}  // namespace

std::string TemporaryFolder() {
  char folder[kMaxPath];
  const DWORD length = ::GetTempPathA(kMaxPath, folder);
  return length > 0 && length < kMaxPath ? std::string(folder, length) : std::string();
}

bool CopyFileBytes(const std::string& from, const std::string& to) {
  if (::CopyFileA(from.c_str(), to.c_str(), TRUE)) return true;
  // A copy cut short (a full disk, a source that could not be read to its end) leaves a partial
  // file, unless the failure was that to was there already.
  if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) ::DeleteFileA(to.c_str());
  return false;
}

std::string LongPathName(const std::string& path) {
  char full[kMaxPath];
  const DWORD length = ::GetLongPathNameA(path.c_str(), full, kMaxPath);
  return length > 0 && length < kMaxPath ? std::string(full, length) : path;
}

RenameResult RenameOnVolume(const std::string& from, const std::string& to) {
  // No write-through: a rename has no bytes to flush, and a copy across volumes is flushed once by
  // the caller before its source goes.
  if (RetriedWhileInUse([&] { return ::MoveFileExA(from.c_str(), to.c_str(), 0) != 0; })) return RenameResult::kRenamed;
  return ::GetLastError() == ERROR_NOT_SAME_DEVICE ? RenameResult::kOtherVolume : RenameResult::kFailed;
}

bool FlushFileToDisk(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = ::FlushFileBuffers(file) != 0;
  return ::CloseHandle(file) != 0 && flushed;
}

bool SendToRecycleBin(const std::string& path) {
  const std::string list = path + '\0';  // the shell reads a list that ends in two terminators
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
  // The shell tells no reason the thread's last error would carry: a file still there after a
  // failed try counts as one in use, and is tried again.
  return RetriedWhileInUse([&] {
    SHFILEOPSTRUCTA attempt = operation;
    if (::SHFileOperationA(&attempt) == 0 && !attempt.fAnyOperationsAborted && !FileExists(path)) return true;
    ::SetLastError(FileExists(path) ? ERROR_SHARING_VIOLATION : ERROR_FILE_NOT_FOUND);
    return false;
  });
}

bool ReadFileTimes(const std::string& path, FileTimes* times) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME creation, access, write;
  const bool read = ::GetFileTime(file, &creation, &access, &write) != 0;
  ::CloseHandle(file);
  if (!read) return false;
  times->creation = FromFiletime(creation);
  times->lastAccess = FromFiletime(access);
  times->lastWrite = FromFiletime(write);
  return true;
}

bool WriteFileTimes(const std::string& path, const FileTimes& times) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const FILETIME creation = ToFiletime(times.creation), access = ToFiletime(times.lastAccess),
                 write = ToFiletime(times.lastWrite);
  const bool set = ::SetFileTime(file, &creation, &access, &write) != 0;
  return ::CloseHandle(file) != 0 && set;
}

}  // namespace platform
