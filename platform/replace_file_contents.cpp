#include <cstdio>

#include "file_system.h"

namespace platform {

bool ReplaceFileContents(const std::string& path, const void* bytes, size_t size) {
  const std::string temporary = TemporaryNameBeside(path);
  if (temporary.empty()) return false;
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written || !ReplaceFileWith(temporary, path)) {
    RemoveFile(temporary);
    return false;
  }
  return true;
}

}  // namespace platform
