#pragma once
// Samples worked out in a wider type, held to the range of a byte.
#include <cstdint>
#include <type_traits>

namespace ravelight {

// Any signed integer type, so that sums kept in 64 bits are clamped before they are narrowed
// and the hot pixel loops clamp plain ints without widening them.
template <typename Int>
constexpr uint8_t ClampToByte(Int v) {
  static_assert(std::is_integral_v<Int> && std::is_signed_v<Int>, "a sample below 0 must be possible");
  return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace ravelight
