#include "number_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

bool ParseDecimalInt(const std::string& text, int& value) {
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(start, &end, 10);
  if (end == start || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = int(parsed);
  return true;
}
