// The Win32 implementations used by the product.
#include <windows.h>

#include "file_system.h"

namespace platform {

bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// MoveFileEx replaces the target in one step and, unlike a C rename, accepts an existing target.
bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

}  // namespace platform
