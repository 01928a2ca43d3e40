#pragma once
// A file time as Win32 keeps it (FILETIME: 100-nanosecond units since 1601, as two 32-bit halves),
// in portable code that does not see windows.h.
#include <cstdint>

struct FileTime {
  uint32_t low = 0;
  uint32_t high = 0;
};

inline FileTime FileTimeFrom(uint64_t units) { return FileTime{uint32_t(units), uint32_t(units >> 32)}; }

inline bool operator==(const FileTime& a, const FileTime& b) { return a.low == b.low && a.high == b.high; }
inline bool operator!=(const FileTime& a, const FileTime& b) { return !(a == b); }
