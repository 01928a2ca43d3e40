// POSIX stand-in: the C library's time zone rules.
#include <cstdint>
#include <ctime>

#include "local_time.h"

namespace platform {

bool ToLocalCalendarTime(const FILETIME& time, CalendarTime* local) {
  const time_t seconds = time_t(int64_t(FileTimeTicks(time) / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970);
  std::tm parts;
  if (!::localtime_r(&seconds, &parts)) return false;
  *local = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
  return true;
}

}  // namespace platform
