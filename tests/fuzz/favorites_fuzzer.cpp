// Feeds arbitrary bytes to the reader of "favorites.txt". Every folder read must be one whole
// line of the file, in the file's order, with no line end in it and no longer than the limit; no
// line that could be a folder is passed over; and the file written for the folders reads back the
// same.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "favorites_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> folders = FavoritesFromText(text);

  size_t at = 0, next = 0;
  for (;;) {
    const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    const std::string line = text.substr(at, end - at);
    if (!line.empty() && line.size() <= kFavoriteLineLimit) {
      if (next >= folders.size() || folders[next] != line) std::abort();
      ++next;
    }
    if (end == text.size()) break;
    at = end + 1;
  }
  if (next != folders.size()) std::abort();

  if (FavoritesFromText(FavoritesText(folders)) != folders) std::abort();
  return 0;
}
