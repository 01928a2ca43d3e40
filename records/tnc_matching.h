#pragma once
// When a cache entry stands for an image file.
#include <cstdint>
#include <string>

#include "tnc_format.h"

// The image file a thumbnail is asked for: its name without folder, its size and its times.
struct TncRequest {
  std::string name;
  int32_t sizeKB = 0;
  FILETIME lastWrite{};
  FILETIME creation{};
};

// Equal, or exactly one hour apart either way: a daylight-saving change moves the times that
// FAT drives report by an hour. Tested on the 32-bit halves as earlier versions did, so that
// the same entries match: one hour is 8 x 2^32 + 0x61C46800 units, 9 x 2^32 when the low half
// borrows.
bool TncTimesMatch(const FILETIME& stored, const FILETIME& file);

// Names of 80 bytes or more never match (earlier versions compared only 80 bytes), and an empty
// name is a blanked entry's.
bool TncNameCanMatch(const std::string& name);

// The entry has the file's size and time (CD-ROM folders ignore times; an old-layout file keeps
// creation times), a thumbnail at least as big as the edge asked for, and the file's name, case
// and all.
bool TncEntryMatches(const TncEntry& entry, const TncRequest& file, int edge, bool timesIgnored, bool oldFormat);
