#include "whole_file.h"

#include <cstdio>

namespace platform {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char block[65536];
  for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, got);
  const bool whole = !std::ferror(file);
  std::fclose(file);
  return whole;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool flushed = std::fflush(file) == 0;
  return std::fclose(file) == 0 && written && flushed;
}

}  // namespace platform
