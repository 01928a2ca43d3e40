#include "name_forms.h"

#include <filesystem>

namespace platform {

std::string FullPathName(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path full = std::filesystem::absolute(path, failed);
  return failed ? path : full.lexically_normal().string();
}

std::string NameAsUtf8(const std::string& name) { return name; }

}  // namespace platform
