#include "canonical_path.h"

#include <windows.h>

#include <cctype>

std::string Canonical(const std::string& path) {
  char longForm[MAX_PATH] = {};
  const DWORD length = ::GetLongPathNameA(path.c_str(), longForm, MAX_PATH);
  std::string text = length && length < MAX_PATH ? longForm : path;
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}
