#pragma once
// "favorites.txt": one folder path a line, lines ended by CR LF, in the list's order.
#include <string>
#include <vector>

// The longest line taken as a folder; a longer one names no folder and is left out whole, the
// lines after it still read.
constexpr size_t kFavoriteLineLimit = 999;

// The folders of the file's bytes in order, empty lines left out.
std::vector<std::string> FavoritesFromText(const std::string& text);
// The file's bytes for the folders.
std::string FavoritesText(const std::vector<std::string>& folders);

// The folders of the file; a missing file gives none.
std::vector<std::string> ReadFavorites(const std::string& path);
// Creates or truncates the file and writes every folder; false when it could not be written.
bool WriteFavorites(const std::string& path, const std::vector<std::string>& folders);
