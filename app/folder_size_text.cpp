#include "folder_size_text.h"

#include <cstdio>

std::string FormatByteCount(uint64_t bytes) {
  std::string text;
  if (bytes < 134217728) {
    const std::string digits = std::to_string(bytes);
    for (size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
      text += digits[i];
    }
    text += " Bytes   ";
  }
  // Tenths of a megabyte, with at least two digits so there is always one before the point.
  char tenths[32] = {};
  std::snprintf(tenths, sizeof tenths, "%02llu", static_cast<unsigned long long>(bytes / 104857));
  std::string megabytes = tenths;
  megabytes.insert(megabytes.size() - 1, ".");
  return text + megabytes + " MB  ";
}
