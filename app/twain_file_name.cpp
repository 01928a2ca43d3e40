#include "twain_file_name.h"

const char* TwainExtension(int format) {
  switch (format) {
    case 0: return ".JPG";
    case 1: return ".GIF";
    case 2: return ".PNG";
    default: return ".BMP";
  }
}

std::string NextTwainFileName(const std::string& prefix, int& index, int format,
                              const std::function<bool(const std::string&)>& taken) {
  std::string name;
  do {
    name = prefix + std::to_string(index) + TwainExtension(format);
    ++index;
  } while (taken(name));
  return name;
}
