#pragma once
// A picture as the clipboard's device-independent bitmap: a 40-byte header (24 bits, no
// compression, 1000 pixels per metre, no palette) and the rows from the bottom up, blue, green,
// red, each padded to four bytes; four spare bytes end the block.
#include <cstdint>
#include <vector>

#include "Cimage.h"

// Empty when the picture holds no pixels.
std::vector<uint8_t> PackedDibOf(const Cimage& picture);
