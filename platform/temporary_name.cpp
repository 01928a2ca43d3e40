#include <atomic>
#include <cstdio>
#include <random>

#include "file_system.h"
#include "folder_entries.h"

namespace platform {
namespace {

#if defined(_WIN32)
constexpr char kSeparators[] = "/\\:";  // a drive letter's colon ends a folder part too
#else
constexpr char kSeparators[] = "/";
#endif

// The folder part of a path, with its separator ("" for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of(kSeparators);
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

constexpr char kTemporaryPrefix[] = "~vl";
constexpr char kTemporaryExtension[] = ".tmp";
constexpr size_t kTemporaryDigits = 8;

// "~vl", eight lower-case hexadecimal digits, ".tmp": the names TemporaryNameBeside makes.
bool IsTemporaryName(const std::string& name) {
  const size_t prefix = sizeof kTemporaryPrefix - 1, extension = sizeof kTemporaryExtension - 1;
  if (name.size() != prefix + kTemporaryDigits + extension || name.compare(0, prefix, kTemporaryPrefix) != 0 ||
      name.compare(prefix + kTemporaryDigits, extension, kTemporaryExtension) != 0)
    return false;
  for (size_t i = prefix; i < prefix + kTemporaryDigits; ++i)
    if (!((name[i] >= '0' && name[i] <= '9') || (name[i] >= 'a' && name[i] <= 'f'))) return false;
  return true;
}

}  // namespace

std::string FileNameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

std::string TemporaryNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = FolderOf(path);
  // Random per process, then counted, so two programs saving into one folder do not collide.
  static const unsigned seed = std::random_device{}();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%08x%s", kTemporaryPrefix, seed + counter++ * 7919u, kTemporaryExtension);
    const std::string candidate = folder + name;
    if (candidate.size() >= kMaxPath) return std::string();
    if (!FileExists(candidate)) return candidate;
  }
  return std::string();
}

void RemoveTemporariesBeside(const std::string& path) {
  RemoveTemporariesBeside(path, [](const std::string&, const FileStamp&) { return true; });
}

void RemoveTemporariesBeside(const std::string& path, const LeftoverTest& removable) {
  const std::string folder = FolderOf(path);
  std::vector<std::string> leftovers;
  ListFolder(folder.empty() ? std::string(".") : folder, [&](const FolderEntry& entry) {
    if (!entry.stamp.directory && !entry.isLink && IsTemporaryName(entry.name) &&
        removable(folder + entry.name, entry.stamp))
      leftovers.push_back(folder + entry.name);
    return true;
  });
  for (const std::string& leftover : leftovers) RemoveFileUnlessInUse(leftover);
}

}  // namespace platform
