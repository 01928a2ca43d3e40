#pragma once
// The moment a camera took a picture, as its EXIF block tells it, for setting the file's times.
#include <string>

#include "filetime.h"

// The EXIF date of the file as a local time; false when the file has no EXIF block, the block
// names no date, or the date is not one a file time can hold.
bool ReadExifDate(const std::string& path, FILETIME* localTime);
