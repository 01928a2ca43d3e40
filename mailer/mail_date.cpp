#include "mail_date.h"

#include <cstdio>
#include <cstdlib>

namespace {
const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

int ZoneOffsetMinutes(ZoneState state, long bias, long standardBias, long daylightBias) {
  return static_cast<int>(-(bias + (state == ZoneState::kDaylight ? daylightBias : standardBias)));
}

std::string FormatMailDate(const MailTime& time, int offsetMinutes) {
  char text[64];
  const int magnitude = std::abs(offsetMinutes);
  std::snprintf(text, sizeof text, "%s, %.2d %s %.2d %.2d:%.2d:%.2d %c%02d%02d", kDays[time.dayOfWeek % 7], time.day,
                kMonths[(time.month + 11) % 12], time.year, time.hour, time.minute, time.second,
                offsetMinutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}
