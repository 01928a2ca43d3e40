#pragma once
// The Date header: local time in English with the zone as a signed offset.
#include <string>

struct MailTime {
  int year, month, day;  // month 1-12
  int dayOfWeek;         // 0 = Sunday
  int hour, minute, second;
};

// The system's time-zone answer: which bias is in force.
enum class ZoneState { kUnknown, kStandard, kDaylight };

// Minutes east of UTC from the system's biases (minutes west). Only a zone known to be on
// daylight time takes the daylight bias; an unknown state counts as standard time.
int ZoneOffsetMinutes(ZoneState state, long bias, long standardBias, long daylightBias);

// "Sun, 05 Jan 2025 10:11:12 +0100".
std::string FormatMailDate(const MailTime& time, int offsetMinutes);
