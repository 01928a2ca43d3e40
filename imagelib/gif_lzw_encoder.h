#pragma once
// LZW compression as GIF wants it: codes of growing width up to 12 bits, packed least
// significant bit first, in data sub-blocks of at most 255 bytes. Strings are found again
// through an open-addressing hash of (prefix code, next index).
#include <cstdint>

#include "output_file.h"

namespace ravelight {

class GifLzwEncoder {
 public:
  // codeSize: the initial code size written before the data (2..8); indices are below 2^codeSize.
  // Writes the first clear code.
  GifLzwEncoder(OutputFile& file, int codeSize);

  void Add(int index);
  // Writes the pending string, the end code, the last bits and sub-block; not the terminator.
  void Finish();

 private:
  static constexpr int kMaxBits = 12;
  static constexpr int kMaxCodes = 1 << kMaxBits;
  static constexpr int kHashSize = 5003;  // a prime somewhat above kMaxCodes

  void Emit(int code);
  void ClearTable();
  void PutByte(uint8_t byte);
  void WriteBlock();

  OutputFile& file_;
  const int initialBits_;
  const int clearCode_;
  const int endCode_;
  int bits_;
  int maxCode_;   // the largest code the current width holds
  int freeCode_;  // the next string's code
  bool started_ = false;
  int waiting_ = 0;  // code of the string matched so far
  uint32_t accumulator_ = 0;
  int accumulated_ = 0;  // bits in the accumulator
  uint8_t block_[256];   // count byte, then up to 255 data bytes
  int blockBytes_ = 0;
  uint16_t hashCode_[kHashSize];  // 0: empty slot
  uint32_t hashKey_[kHashSize];   // prefix << 8 | index
};

}  // namespace ravelight
