// Camera date texts read as file times, in both trees: the number-skipping rule, missing numbers
// at the end, and dates that no file time can hold are refused with the output untouched.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "parse_date_time.h"

namespace {

constexpr uint64_t kUntouched = 0x0123456789ABCDEFull;
constexpr uint64_t kRefused = kUntouched;

struct DateCase {
  const char* text;
  uint64_t ticks;  // 100-ns units since 1601-01-01, or kRefused
};

const DateCase kDates[] = {
    {"Date/Time: 2003:05:01 12:30:00", 126962658000000000ull},
    {"Date/Time: 2003-05-01T12:30:00Z", 126962658000000000ull},
    {"Date/Time: 2004:02:29 23:59:59", 127225727990000000ull},  // a leap day
    {"Date/Time: 2003:05:01", 126962208000000000ull},            // no time: midnight
    {"Date/Time: 2003:05:01 ", 126962208000000000ull},
    {"Date/Time: 1601:01:01 00:00:00", 0},
    {"Date/Time: 9999:12:31 23:59:59", 2650467743990000000ull},
    {"Date/Time: 30827:12:31 23:59:59", 9223149887990000000ull},  // the last second a file time holds
    // A leading number is passed over: this reads year 5, month 1, day 12, hour 30.
    {"2003:05:01 12:30:00", kRefused},
    {"Date/Time: 0000:00:00 00:00:00", kRefused},
    {"", kRefused},
    {"no digits at all", kRefused},
    {"Date/Time: 2003", kRefused},  // month and day read 0
    {"Date/Time: 2003:13:01 12:30:00", kRefused},
    {"Date/Time: 2003:00:01 12:30:00", kRefused},
    {"Date/Time: 2003:04:31 12:30:00", kRefused},
    {"Date/Time: 2003:05:32 12:30:00", kRefused},
    {"Date/Time: 2003:02:29 12:30:00", kRefused},  // not a leap year
    {"Date/Time: 1900:02:29 12:30:00", kRefused},  // nor is a century
    {"Date/Time: 2003:05:01 24:00:00", kRefused},
    {"Date/Time: 2003:05:01 12:60:00", kRefused},
    {"Date/Time: 2003:05:01 12:30:60", kRefused},
    {"Date/Time: 1600:12:31 23:59:59", kRefused},
    {"Date/Time: 30828:01:01 00:00:00", kRefused},
    {"Date/Time: 67137:05:01 12:30:00", kRefused},  // would be 1601 in a 16-bit field
    {"Date/Time: 99999999999999:05:01 12:30:00", kRefused},
};

TEST(ParseDateTime, ReadsCameraDatesAndRefusesImpossibleOnes) {
  for (const DateCase& c : kDates) {
    FILETIME time = platform::FileTimeFromTicks(kUntouched);
    const bool parsed = ParseDateTime(c.text, &time);
    EXPECT_EQ(parsed, c.ticks != kRefused) << c.text;
    EXPECT_EQ(platform::FileTimeTicks(time), c.ticks) << c.text;
  }
}

}  // namespace
