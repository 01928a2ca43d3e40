#include "favorites_file.h"

#include <fstream>
#include <iterator>

std::vector<std::string> FavoritesFromText(const std::string& text) {
  std::vector<std::string> folders;
  std::string line;
  const auto take = [&] {
    if (!line.empty() && line.size() <= kFavoriteLineLimit) folders.push_back(line);
    line.clear();
  };
  for (const char c : text) {
    if (c == '\r' || c == '\n')
      take();
    else if (line.size() <= kFavoriteLineLimit)  // one past the limit marks the line as too long
      line += c;
  }
  take();
  return folders;
}

std::string FavoritesText(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& folder : folders) text += folder + "\r\n";
  return text;
}

std::vector<std::string> ReadFavorites(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return FavoritesFromText(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

bool WriteFavorites(const std::string& path, const std::vector<std::string>& folders) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << FavoritesText(folders);
  out.flush();
  return bool(out);
}
