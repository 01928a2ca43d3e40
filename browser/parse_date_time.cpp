#include "parse_date_time.h"

#include <cstdint>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class NumberReader {
 public:
  explicit NumberReader(const std::string& text) : text_(text) {}

  int Next() {
    while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
    while (at_ < text_.size() && !IsDigit(text_[at_])) ++at_;
    // A run of digits longer than any date field saturates instead of overflowing; the date
    // check then refuses it.
    constexpr int kCeiling = 1000000;
    int value = 0;
    for (size_t i = at_; i < text_.size() && IsDigit(text_[i]); ++i)
      value = value >= kCeiling ? kCeiling : value * 10 + (text_[i] - '0');
    return value;
  }

 private:
  const std::string& text_;
  size_t at_ = 0;
};

struct DateTime {
  int year, month, day, hour, minute, second;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The range of the system's file-time conversion, checked here in full: Wine's own conversion
// lets 29 February pass in every year.
bool IsValid(const DateTime& date) {
  if (date.year < 1601 || date.year > 30827 || date.month < 1 || date.month > 12) return false;
  if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) return false;
  return date.hour <= 23 && date.minute <= 59 && date.second <= 59;
}

uint64_t Ticks(const DateTime& date) {
  const int64_t years = date.year - 1601;
  int64_t days = years * 365 + years / 4 - years / 100 + years / 400;
  for (int month = 1; month < date.month; ++month) days += DaysInMonth(date.year, month);
  days += date.day - 1;
  const int64_t seconds = ((days * 24 + date.hour) * 60 + date.minute) * 60 + date.second;
  return uint64_t(seconds) * platform::kFileTimeTicksPerSecond;
}

}  // namespace

bool ParseDateTime(const std::string& text, FILETIME* time) {
  NumberReader numbers(text);
  DateTime date = {};
  date.year = numbers.Next();
  date.month = numbers.Next();
  date.day = numbers.Next();
  date.hour = numbers.Next();
  date.minute = numbers.Next();
  date.second = numbers.Next();
  if (date.year == 0 || !IsValid(date)) return false;
  *time = platform::FileTimeFromTicks(Ticks(date));
  return true;
}
