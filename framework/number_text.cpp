#include "number_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// The number parsed, and where its text ends; null when there is none that fits an int.
const char* ParseFrom(const char* start, int& value) {
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(start, &end, 10);
  if (end == start || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return nullptr;
  value = int(parsed);
  return end;
}

}  // namespace

bool ParseLeadingDecimalInt(const std::string& text, int& value) { return ParseFrom(text.c_str(), value) != nullptr; }

bool ParseDecimalInt(const std::string& text, int& value) {
  int parsed = 0;
  const char* end = ParseFrom(text.c_str(), parsed);
  if (!end || end[std::strspn(end, " \t")] != '\0') return false;
  value = parsed;
  return true;
}
