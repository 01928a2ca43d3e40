#include "favorites_file.h"

#include <fstream>

std::vector<std::string> ReadFavorites(const std::string& path) {
  std::vector<std::string> folders;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  char c = 0;
  const auto take = [&] {
    if (!line.empty() && line.size() <= kFavoriteLineLimit) folders.push_back(line);
    line.clear();
  };
  while (in.get(c)) {
    if (c == '\r' || c == '\n')
      take();
    else if (line.size() <= kFavoriteLineLimit)  // one past the limit marks the line as too long
      line += c;
  }
  take();
  return folders;
}

bool WriteFavorites(const std::string& path, const std::vector<std::string>& folders) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& folder : folders) out << folder << "\r\n";
  out.flush();
  return bool(out);
}
