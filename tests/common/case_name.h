#pragma once
// Table-driven cases named by their own words, so that a failing row reads as what it tests.
#include <cctype>
#include <string>

inline std::string CaseName(const char* what) {
  std::string name;
  for (const char* c = what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}
