#include <windows.h>

#include "local_time.h"

namespace platform {

bool ToLocalCalendarTime(const FILETIME& time, CalendarTime* local) {
  FILETIME shifted;
  SYSTEMTIME parts;
  if (!::FileTimeToLocalFileTime(&time, &shifted) || !::FileTimeToSystemTime(&shifted, &parts)) return false;
  *local = {parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
  return true;
}

}  // namespace platform
