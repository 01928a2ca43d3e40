#pragma once
// Calendar dates in the user's time zone, for the dates the program shows.
#include "filetime.h"

namespace platform {

struct CalendarTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The local calendar time of a file time; false when the system cannot convert it.
bool ToLocalCalendarTime(const FILETIME& time, CalendarTime* local);

}  // namespace platform
