#pragma once
// Decompression of GIF image data: LZW codes of growing width, least significant bit first.
#include <cstddef>
#include <cstdint>

#include "gif_sub_blocks.h"

namespace ravelight {

class GifLzwDecoder {
 public:
  // Indices are bytes, so a minimum code size above 8 cannot describe a picture; below 2 the
  // format has no meaning either.
  static constexpr int kLowestMinCodeSize = 2;
  static constexpr int kHighestMinCodeSize = 8;

  // False for a minimum code size outside 2..8.
  bool Start(int minCodeSize);

  // Writes up to count colour indices and returns how many it wrote. Fewer means the data has
  // ended: the end code, the end of the sub-blocks, or a code that names no string yet.
  size_t Decode(GifSubBlocks& data, uint8_t* out, size_t count);

 private:
  static constexpr int kMaxCodes = 4096;
  static constexpr int kMaxCodeWidth = 12;

  void Reset();
  int NextCode(GifSubBlocks& data);
  bool ExpandNextCode(GifSubBlocks& data);

  int clearCode_ = 0;
  int endCode_ = 0;
  int minCodeSize_ = 0;
  int codeWidth_ = 0;
  int codeLimit_ = 0;
  int nextFree_ = 0;
  int previous_ = -1;  // the code before this one since the last clear; -1 when there is none
  uint8_t firstChar_ = 0;
  bool ended_ = false;
  uint32_t bits_ = 0;
  int bitCount_ = 0;
  // Every string is an earlier code plus one character, so each prefix is below its own code
  // and a string never holds more than kMaxCodes characters.
  uint16_t prefix_[kMaxCodes] = {};
  uint8_t suffix_[kMaxCodes] = {};
  uint8_t stack_[kMaxCodes] = {};  // the current string, last character first
  int stackSize_ = 0;
};

}  // namespace ravelight
