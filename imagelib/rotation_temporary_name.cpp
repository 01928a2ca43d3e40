#include "rotation_temporary_name.h"

#include <algorithm>

#include "file_system.h"

namespace ravelight {
namespace {

// Letters, digits and signs that every file system of the system accepts in a name.
constexpr char kSuffixPool[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_!#$%&()+@{}~";
constexpr size_t kPoolSize = sizeof kSuffixPool - 1;
static_assert(kPoolSize == 76, "the pool gives 76 suffixes");
constexpr size_t kSuffixLength = 5;
constexpr size_t kLongestBaseName = 255;

}  // namespace

std::string RotationTemporaryName(const std::string& path) {
  const std::string folder = platform::TemporaryFolder();
  const std::string name = platform::FileNameOf(path);
  const size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string extension = hasExtension ? name.substr(dot) : std::string();
  std::string base = hasExtension ? name.substr(0, dot) : name;

  const size_t fixed = folder.size() + 1 + kSuffixLength + extension.size();
  if (folder.empty() || fixed >= platform::kMaxPath) return std::string();
  base.resize(std::min({base.size(), kLongestBaseName, platform::kMaxPath - 1 - fixed}));

  for (size_t k = 0; k < kPoolSize; ++k) {
    const std::string candidate = folder + base + "_" + std::string(kSuffixPool + k, std::min(kSuffixLength, kPoolSize - k)) + extension;
    if (!platform::FileExists(candidate)) return candidate;
  }
  return std::string();
}

}  // namespace ravelight
