#pragma once
// The separators at the end of a folder path. Windows takes '/' as well as its own '\'; POSIX has
// only '/'. Callers that handle Windows paths on any system pass '\' as the separator.
#include <cstddef>
#include <string>

#include "file_system.h"

namespace platform {

inline bool IsPathSeparator(char c, char separator = kPathSeparator) { return c == separator || c == '/'; }

// The folder with a separator at its end, ready for a name; "" (the current folder) stays "".
inline std::string WithTrailingSeparator(std::string folder, char separator = kPathSeparator) {
  if (!folder.empty() && !IsPathSeparator(folder.back(), separator)) folder += separator;
  return folder;
}

// The path without the separators it ends in, but no shorter than `shortest` characters: with 1
// "C:\" is the drive "C:" and the POSIX root stays "/"; with 3 a drive root keeps its backslash.
inline std::string WithoutTrailingSeparators(std::string path, char separator = kPathSeparator, size_t shortest = 1) {
  while (path.size() > shortest && IsPathSeparator(path.back(), separator)) path.pop_back();
  return path;
}

}  // namespace platform
