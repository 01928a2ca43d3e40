#pragma once
// Reads a camera's date text, such as the EXIF line "Date/Time: 2003:05:01 12:30:00", as a file
// time.
#include <string>

#include "filetime.h"

// Six numbers are read in turn: year, month, day, hour, minute, second. Before each one the
// reader passes over the digits it stands on and then every other character, so a text that
// starts with digits loses its first number; numbers missing at the end read as 0. The result is
// the date as it stands (the caller knows it as local time). False, with *time untouched, for a
// year of 0 and for any date a file time cannot hold (month 13, 31 April, ...).
bool ParseDateTime(const std::string& text, FILETIME* time);
