#include "twain_file_name.h"

#include <algorithm>

const char* TwainExtension(int format) {
  switch (format) {
    case 0: return ".JPG";
    case 1: return ".GIF";
    case 2: return ".PNG";
    default: return ".BMP";
  }
}

int BoundedTwainIndex(long long index) { return int(std::clamp<long long>(index, 0, kTwainIndexMaximum)); }

std::string NextTwainFileName(const std::string& prefix, int& index, int format,
                              const std::function<bool(const std::string&)>& taken) {
  if (index > kTwainIndexMaximum) return std::string();
  for (int number = BoundedTwainIndex(index); number <= kTwainIndexMaximum; ++number) {
    std::string name = prefix + std::to_string(number) + TwainExtension(format);
    if (taken(name)) continue;
    index = std::min(number + 1, kTwainIndexMaximum);
    return name;
  }
  return std::string();
}
