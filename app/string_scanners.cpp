#include "string_scanners.h"

#include <cstring>

#include "ascii_text.h"

namespace {

constexpr size_t kMaxCopy = 500;

bool InSet(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

}  // namespace

void StrCopyUntil(const char* source, char* destination, size_t capacity, const char* set) {
  if (capacity == 0) return;
  const size_t limit = capacity - 1 < kMaxCopy ? capacity - 1 : kMaxCopy;
  size_t n = 0;
  while (n < limit && source[n] != '\0' && !InSet(source[n], set)) {
    destination[n] = source[n];
    ++n;
  }
  destination[n] = '\0';
}

const char* StrSkipToAny(const char* text, const char* set) {
  while (*text != '\0' && !InSet(*text, set)) ++text;
  return text;
}

const char* StrSkipAny(const char* text, const char* set) {
  while (InSet(*text, set)) ++text;
  return text;
}

bool StrSameNoCase(const char* a, const char* b) {
  if (*a != *b) return false;
  for (; *b != '\0'; ++a, ++b)
    if (platform::AsciiUpper(*a) != platform::AsciiUpper(*b)) return false;
  return true;
}

int StrLength(const char* text) { return int(std::strlen(text)); }
