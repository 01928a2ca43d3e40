#include "tnc_purge.h"

#include <cstdio>

#include "file_system.h"
#include "tnc_format.h"

bool ReadTncFileHeader(const std::string& path, TncHeader* header) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  uint8_t bytes[kTncHeaderSize];
  const bool read = std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes;
  std::fclose(file);
  if (!read) return false;
  *header = DecodeTncHeader(bytes);
  return IsKnownTncVersion(header->version);
}

bool IsLockedTncFile(const std::string& path) {
  TncHeader header;
  return ReadTncFileHeader(path, &header) && header.locked != 0;
}

namespace {

std::string Child(const std::string& folder, const std::string& name) {
  return folder + platform::kPathSeparator + name;
}

// Every level adds to the path, and paths are bounded, so a loop of links ends too.
void PurgeTree(const std::string& folder) {
  const std::string cache = Child(folder, kTncFileName);
  if (cache.size() < platform::kMaxPath && platform::FileExists(cache) && !IsLockedTncFile(cache))
    platform::RemoveFile(cache);
  for (const std::string& name : platform::SubfolderNames(folder)) {
    const std::string child = Child(folder, name);
    if (child.size() < platform::kMaxPath) PurgeTree(child);
  }
}

}  // namespace

void PurgeSubfolderCaches(const std::string& folder, const TncOptions& options, const std::function<bool()>& confirm) {
  if (options.cacheMode == kTncReadOnly) return;
  const std::vector<std::string> names = platform::SubfolderNames(folder);
  if (names.empty() || !confirm()) return;
  for (const std::string& name : names) {
    const std::string child = Child(folder, name);
    if (child.size() < platform::kMaxPath) PurgeTree(child);
  }
}
