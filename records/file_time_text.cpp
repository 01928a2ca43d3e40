#include "file_time_text.h"

#include <cstdio>

#include "app_settings.h"

namespace {

constexpr uint32_t kLastUnknownHigh = 0x019DB1FF;
constexpr char kUnknownTime[] = "??:??:??  ??:??";

}  // namespace

std::string FormatCalendarTime(const platform::CalendarTime& time, bool dayFirst) {
  const int first = dayFirst ? time.day : time.month;
  const int second = dayFirst ? time.month : time.day;
  char text[80];
  std::snprintf(text, sizeof text, "%i/%i/%i %i:%02i", first, second, time.year, time.hour, time.minute);
  return text;
}

std::string FormatFileTime(const FILETIME& time) {
  platform::CalendarTime local;
  if (time.dwHighDateTime <= kLastUnknownHigh || !platform::ToLocalCalendarTime(time, &local)) return kUnknownTime;
  return FormatCalendarTime(local, g_settings.thumbnails.ddmmyy != 0);
}
