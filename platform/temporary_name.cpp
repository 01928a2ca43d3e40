#include <atomic>
#include <cstdio>
#include <random>

#include "file_system.h"

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

}  // namespace

std::string FileNameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

std::string TemporaryNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = FolderOf(path);
  // Random per process, then counted, so two programs saving into one folder do not collide.
  static const unsigned seed = std::random_device{}();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "~vl%08x.tmp", seed + counter++ * 7919u);
    const std::string candidate = folder + name;
    if (candidate.size() >= kMaxPath) return std::string();
    if (!FileExists(candidate)) return candidate;
  }
  return std::string();
}

}  // namespace platform
