#include "split_path.h"

void SplitPath(const std::string& path, std::string& folder, std::string& fileName) {
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) {
    folder.clear();
    fileName = path;
    return;
  }
  folder = path.substr(0, slash);
  fileName = path.substr(slash + 1);
}
