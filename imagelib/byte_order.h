#pragma once
// Multi-byte fields of file formats, read from and written to bytes whatever the machine's own
// order.
#include <cstdint>

namespace ravelight {

inline uint16_t LittleEndian16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t LittleEndian32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void PutLittle16(uint8_t* at, uint32_t value) {
  at[0] = uint8_t(value);
  at[1] = uint8_t(value >> 8);
}
inline void PutLittle32(uint8_t* at, uint32_t value) {
  PutLittle16(at, value);
  PutLittle16(at + 2, value >> 16);
}
inline uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

}  // namespace ravelight
