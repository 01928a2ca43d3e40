// Dates as the thumbnail captions and printouts show them.
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "app_settings.h"
#include "file_time_text.h"
#include "thumb_item.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kSecondsFrom1601To1970 = 11644473600;

FILETIME FromUnixSeconds(int64_t seconds) {
  const uint64_t ticks = uint64_t(int64_t(kSecondsFrom1601To1970) + seconds) * kTicksPerSecond;
  return {uint32_t(ticks), uint32_t(ticks >> 32)};
}

constexpr int64_t k2004June15Noon = 1087300800;  // UTC

class FileTimeText : public ::testing::Test {
 protected:
  void TearDown() override { g_settings.thumbnails.ddmmyy = 0; }
};

TEST_F(FileTimeText, CalendarTimeMonthFirstOrDayFirst) {
  platform::CalendarTime time;
  time.year = 2004;
  time.month = 6;
  time.day = 5;
  time.hour = 9;
  time.minute = 7;
  EXPECT_EQ(FormatCalendarTime(time, false), "6/5/2004 9:07");
  EXPECT_EQ(FormatCalendarTime(time, true), "5/6/2004 9:07");
  time.hour = 23;
  time.minute = 59;
  time.month = 12;
  EXPECT_EQ(FormatCalendarTime(time, false), "12/5/2004 23:59");
}

TEST_F(FileTimeText, TimesBefore1970AreUnknown) {
  const FILETIME rows[] = {
      FromUnixSeconds(-86400),  // 1969-12-31
      {0, 0},
      {0xFFFFFFFF, 0x019DB1FF},  // the last time that is still unknown
  };
  for (const FILETIME& time : rows) EXPECT_EQ(FormatFileTime(time), "??:??:??  ??:??");
  const FILETIME first = {0, 0x019DB200};  // 1970-01-01 03:57:25 UTC
  const std::string text = FormatFileTime(first);
  EXPECT_TRUE(text.rfind("1/1/1970 ", 0) == 0 || text.rfind("12/31/1969 ", 0) == 0) << text;
}

TEST_F(FileTimeText, LocalDateOfAFileTime) {
  const FILETIME noon = FromUnixSeconds(k2004June15Noon);
  platform::CalendarTime local;
  ASSERT_TRUE(platform::ToLocalCalendarTime(noon, &local));
  char clock[16];
  std::snprintf(clock, sizeof clock, " %i:%02i", local.hour, local.minute);
  // Noon UTC is June 15 in every time zone from -11 to +11 hours.
  EXPECT_EQ(FormatFileTime(noon), "6/15/2004" + std::string(clock));
  g_settings.thumbnails.ddmmyy = 1;
  EXPECT_EQ(FormatFileTime(noon), "15/6/2004" + std::string(clock));
  CThumbItem item;
  item.lastWrite = noon;
  EXPECT_EQ(item.GetDateText(), FormatFileTime(noon));
}

#if !defined(_WIN32)
TEST_F(FileTimeText, FollowsTheTimeZone) {
  const char* saved = std::getenv("TZ");
  const std::string old = saved ? saved : "";
  const FILETIME noon = FromUnixSeconds(k2004June15Noon + 5 * 60);
  setenv("TZ", "UTC0", 1);
  tzset();
  EXPECT_EQ(FormatFileTime(noon), "6/15/2004 12:05");
  setenv("TZ", "EST5", 1);
  tzset();
  EXPECT_EQ(FormatFileTime(noon), "6/15/2004 7:05");
  setenv("TZ", "JST-9", 1);
  tzset();
  EXPECT_EQ(FormatFileTime(noon), "6/15/2004 21:05");
  if (saved)
    setenv("TZ", old.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}
#endif

}  // namespace
