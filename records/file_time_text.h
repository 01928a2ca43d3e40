#pragma once
// Dates as the program shows and prints them.
#include <string>

#include "filetime.h"
#include "local_time.h"

// "month/day/year hour:minutes" in local time ("%i/%i/%i %i:%02i"), day first when the
// "Thumbnails" value "ddmmyy" is on; "??:??:??  ??:??" for times before 1970-01-01 03:57:25 UTC
// (the high half at most 0x019DB1FF) and for times the system cannot convert.
std::string FormatFileTime(const FILETIME& time);

// The same text for a local calendar time.
std::string FormatCalendarTime(const platform::CalendarTime& time, bool dayFirst);
