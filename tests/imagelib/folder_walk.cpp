#include "folder_walk.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> FilesUnder(const std::string& folder, const std::vector<std::string>& extensions) {
  std::vector<std::string> found;
  if (folder.empty()) return found;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code notAFile;
    if (!it->is_regular_file(notAFile)) continue;
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (std::find(extensions.begin(), extensions.end(), ext) != extensions.end())
      found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}
