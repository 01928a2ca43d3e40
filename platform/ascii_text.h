#pragma once
// Letters as the program's names, extensions and drive letters know them: ASCII only. Bytes of
// other code pages are no letters here and keep their case, whatever the locale says.
#include <string>

namespace platform {

inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

inline std::string AsciiUpper(std::string text) {
  for (char& c : text) c = AsciiUpper(c);
  return text;
}

}  // namespace platform
