// POSIX stand-in: the C library's time zone rules.
#include <cstdint>
#include <ctime>

#include "local_time.h"

namespace platform {
namespace {

constexpr uint64_t kTicksPerSecond = 10000000;           // file times count 100 ns
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

}  // namespace

bool ToLocalCalendarTime(const FILETIME& time, CalendarTime* local) {
  const uint64_t ticks = uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
  const time_t seconds = time_t(int64_t(ticks / kTicksPerSecond) - kSecondsFrom1601To1970);
  std::tm parts;
  if (!::localtime_r(&seconds, &parts)) return false;
  *local = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
  return true;
}

}  // namespace platform
