#pragma once
// Multi-byte fields of file formats, read from bytes whatever the machine's own order.
#include <cstdint>

namespace ravelight {

inline uint16_t LittleEndian16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t LittleEndian32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

}  // namespace ravelight
