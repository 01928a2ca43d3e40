#pragma once
// The system's file time: 100-nanosecond intervals since 1601-01-01 UTC, kept as two 32-bit
// halves, low first. On Windows the real type; elsewhere the same plain layout, so that the
// portable code that stores and compares file times builds and is tested natively.
#if defined(_WIN32)
#  include <windows.h>
#else
#  include <cstdint>

struct FILETIME {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
};
#endif
