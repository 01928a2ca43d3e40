// The Win32 implementations used by the product.
#include <windows.h>

#include "file_system.h"
#include "while_in_use_win.h"

namespace platform {

bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool SetHiddenAttribute(const std::string& path, bool hidden) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (((attributes & FILE_ATTRIBUTE_HIDDEN) != 0) == hidden) return true;
  // Only these can be set, and "normal" only alone.
  const DWORD settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;
  DWORD wanted = (attributes & settable) | (hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
  if (wanted == 0) wanted = FILE_ATTRIBUTE_NORMAL;
  return ::SetFileAttributesA(path.c_str(), wanted) != 0;
}

PathKind KindOfPath(const std::string& path) {
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return PathKind::kMissing;
  std::string probe = path;
  if (probe.size() == 2 && probe[1] == ':') probe += '\\';  // "C:" is the drive, not its current folder
  const DWORD attributes = ::GetFileAttributesA(probe.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kDirectory : PathKind::kFile;
}

// MoveFileEx replaces the target in one step and, unlike a C rename, accepts an existing target.
// Windows refuses to replace a read-only file this way, Wine does not: the check makes both keep
// a file the user protected.
bool ReplaceFileWith(const std::string& from, const std::string& to) {
  if (IsReadOnlyFile(to)) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // With read-only ruled out, a destination that is denied is one held open.
  return RetriedWhileInUse(
      [&] { return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0; },
      ERROR_ACCESS_DENIED);
}

bool RemoveFile(const std::string& path) {
  return RetriedWhileInUse([&] { return ::DeleteFileA(path.c_str()) != 0; });
}

bool RemoveFileUnlessInUse(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

}  // namespace platform
