#include <cstdio>

#include "file_system.h"

namespace platform {

namespace {

// Writes the bytes to a temporary file beside path and hands it to place (which moves it onto
// path); the temporary is removed when anything fails, so a write cut short leaves nothing.
template <typename Place>
bool WriteThroughTemporary(const std::string& path, const void* bytes, size_t size, Place place) {
  const std::string temporary = TemporaryNameBeside(path);
  if (temporary.empty()) return false;
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written || !place(temporary, path)) {
    RemoveFile(temporary);
    return false;
  }
  return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const void* bytes, size_t size) {
  return WriteThroughTemporary(path, bytes, size, ReplaceFileWith);
}

bool WriteNewFile(const std::string& path, const void* bytes, size_t size) {
  return WriteThroughTemporary(path, bytes, size, MoveFileTo);
}

}  // namespace platform
