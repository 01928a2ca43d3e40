#pragma once
// The system's file time: 100-nanosecond intervals since 1601-01-01 UTC, kept as two 32-bit
// halves, low first. On Windows the real type; elsewhere the same plain layout, so that the
// portable code that stores and compares file times builds and is tested natively.
#include <cstdint>

#if defined(_WIN32)
#  include <windows.h>
#else
struct FILETIME {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
};
#endif

namespace platform {

constexpr uint64_t kFileTimeTicksPerSecond = 10000000;  // file times count 100 ns
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

// A file time as one count of 100-nanosecond units, and back.
inline uint64_t FileTimeTicks(const FILETIME& time) {
  return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}
inline FILETIME FileTimeFromTicks(uint64_t ticks) { return FILETIME{uint32_t(ticks), uint32_t(ticks >> 32)}; }

}  // namespace platform
