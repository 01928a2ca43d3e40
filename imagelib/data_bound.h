#pragma once
// A header may claim any size; the data behind it limits what the picture can honestly be. Each
// way of compressing has a best case, so a file of a given size can describe only so many bytes
// of picture. A header claiming more is refused before anything is allocated for it, while a
// genuine picture, however well it compresses, always passes.
#include <cstdint>

namespace ravelight {

// Bytes of picture one byte of compressed data can describe at best.
constexpr uint64_t kStoredRatio = 1;
constexpr uint64_t kPcxRunRatio = 32;      // two bytes repeat a byte 63 times
constexpr uint64_t kPackBitsRatio = 64;    // two bytes repeat a byte 128 times
constexpr uint64_t kDeflateRatio = 1032;   // a 258-byte match costs at least two bits
constexpr uint64_t kLzwRatio = 2731;       // a 12-bit code stands for at most 4096 bytes
// A Huffman-coded JPEG spends at least a bit on each 8 × 8 block's DC coefficient.
constexpr uint64_t kJpegPixelsPerByte = 8 * 64;
// A run-length BMP skips 255 columns and 255 rows with a four-byte delta; rows it ends early
// (end of line) cost two bytes each, so they stay within this too.
constexpr uint64_t kBmpRunPixelsPerByte = 255 * 255 / 4 + 1;

// Whether dataBytes of compressed data can hold rawBytes at a best ratio.
constexpr bool DataCanHold(uint64_t rawBytes, uint64_t dataBytes, uint64_t bestRatio) {
  return rawBytes / bestRatio <= dataBytes;
}

}  // namespace ravelight
