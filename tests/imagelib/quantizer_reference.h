#pragma once
// The codec library's own colour quantizers, reached through its decoder: a JPEG file decoded
// to palette indices, for comparing Ravelight's quantizers against.
#include <cstdint>
#include <vector>

struct ReferenceQuantized {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> red, green, blue;  // the colour map
  std::vector<uint8_t> indices;           // width × height
};

// The one-pass quantizer with Floyd-Steinberg, ordered or no dithering; the two-pass quantizer
// without or with Floyd-Steinberg dithering.
enum class ReferenceQuantizer { OnePassDithered, TwoPass, TwoPassDithered, OnePassOrdered, OnePassPlain };

ReferenceQuantized DecodeQuantizedReference(const std::vector<uint8_t>& file, ReferenceQuantizer kind, int colours);
