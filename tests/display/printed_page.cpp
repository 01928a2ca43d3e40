#include "printed_page.h"

#include <cstdio>

bool ReadPpm(const std::string& path, Page& page) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char line[256];
  int fields[3], found = 0;
  const bool p6 = std::fgets(line, sizeof line, file) && std::string(line) == "P6\n";
  while (p6 && found < 3 && std::fgets(line, sizeof line, file)) {
    if (line[0] == '#') continue;
    for (const char* p = line; found < 3 && std::sscanf(p, "%d", &fields[found]) == 1; ++found) {
      while (*p == ' ') ++p;
      while (*p && *p != ' ') ++p;
    }
  }
  bool read = p6 && found == 3 && fields[0] > 0 && fields[1] > 0 && fields[2] == 255;
  if (read) {
    page.width = fields[0];
    page.height = fields[1];
    page.rgb.resize(3 * size_t(page.width) * page.height);
    read = std::fread(page.rgb.data(), 1, page.rgb.size(), file) == page.rgb.size();
  }
  std::fclose(file);
  return read;
}
