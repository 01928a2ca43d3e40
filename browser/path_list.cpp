#include "path_list.h"

#include <cstring>

std::string DoubleNulList(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) {
    list += path;
    list += '\0';
  }
  list += '\0';
  return list;
}

std::vector<std::string> PathsOfDoubleNulList(const std::string& list) {
  std::vector<std::string> paths;
  size_t at = 0;
  while (at < list.size() && list[at] != '\0') {
    const size_t end = list.find('\0', at);
    if (end == std::string::npos) break;  // an unterminated last path is not a path
    paths.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return paths;
}
