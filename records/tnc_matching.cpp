#include "tnc_matching.h"

#include <cstring>

namespace {

constexpr uint32_t kHourLow = 0x61C46800u;
constexpr size_t kNameLimit = 80;

}  // namespace

bool TncTimesMatch(const FILETIME& stored, const FILETIME& file) {
  uint32_t low = uint32_t(stored.dwLowDateTime - file.dwLowDateTime);
  uint32_t high = uint32_t(stored.dwHighDateTime - file.dwHighDateTime);
  if (int32_t(low) < 0) {
    low = 0u - low;
    high = uint32_t(file.dwHighDateTime - stored.dwHighDateTime);
  }
  return (low == 0 && high == 0) || (low == kHourLow && (high == 8 || high == 9));
}

bool TncNameCanMatch(const std::string& name) { return !name.empty() && name.size() < kNameLimit; }

bool TncEntryMatches(const TncEntry& entry, const TncRequest& file, int edge, bool timesIgnored, bool oldFormat) {
  if (entry.sizeKB != file.sizeKB) return false;
  if (!timesIgnored && !TncTimesMatch(entry.time, oldFormat ? file.creation : file.lastWrite)) return false;
  if (entry.edge < edge || !TncNameCanMatch(file.name)) return false;
  // The stored name ends within the bytes compared, at the same place as the file's.
  return std::memchr(entry.name, 0, kNameLimit) && std::strlen(entry.name) == file.name.size() &&
         std::memcmp(entry.name, file.name.data(), file.name.size()) == 0;
}
