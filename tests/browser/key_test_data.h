#pragma once
// Files of the keyword tests kept beside their sources, as the program under test names them
// (under Wine the machine's / is the drive Z:).
#include <fstream>
#include <iterator>
#include <string>

inline std::string KeyTestDataPath(const std::string& name) {
#ifdef _WIN32
  return std::string("Z:") + KEY_TEST_DATA + "/" + name;
#else
  return std::string(KEY_TEST_DATA) + "/" + name;
#endif
}

// A text file's lines joined by '\n', whatever line ends it was written with.
inline std::string TextFileContents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string joined;
  for (char c : text)
    if (c != '\r') joined += c;
  return joined;
}
