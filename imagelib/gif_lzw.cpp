#include "gif_lzw.h"

namespace ravelight {

bool GifLzwDecoder::Start(int minCodeSize) {
  if (minCodeSize < kLowestMinCodeSize || minCodeSize > kHighestMinCodeSize) return false;
  minCodeSize_ = minCodeSize;
  clearCode_ = 1 << minCodeSize;
  endCode_ = clearCode_ + 1;
  ended_ = false;
  bits_ = 0;
  bitCount_ = 0;
  stackSize_ = 0;
  Reset();
  return true;
}

void GifLzwDecoder::Reset() {
  codeWidth_ = minCodeSize_ + 1;
  codeLimit_ = 1 << codeWidth_;
  nextFree_ = endCode_ + 1;
  previous_ = -1;
}

int GifLzwDecoder::NextCode(GifSubBlocks& data) {
  while (bitCount_ < codeWidth_) {
    const int byte = data.NextByte();
    if (byte < 0) return -1;
    bits_ |= uint32_t(byte) << bitCount_;
    bitCount_ += 8;
  }
  const int code = int(bits_ & ((1u << codeWidth_) - 1));
  bits_ >>= codeWidth_;
  bitCount_ -= codeWidth_;
  return code;
}

// Puts the string of the next code on the stack and adds the new string to the table.
bool GifLzwDecoder::ExpandNextCode(GifSubBlocks& data) {
  int code = NextCode(data);
  while (code == clearCode_) {
    Reset();
    code = NextCode(data);
  }
  if (code < 0 || code == endCode_) return false;
  // Only the very next free code may be used before it is defined (a string followed by its own
  // first character), and only when there is a previous string to build it from.
  if (code > nextFree_ || (code == nextFree_ && previous_ < 0)) return false;

  const int incoming = code;
  if (code == nextFree_) {
    stack_[stackSize_++] = firstChar_;
    code = previous_;
  }
  while (code > endCode_ && stackSize_ < kMaxCodes - 1) {
    stack_[stackSize_++] = suffix_[code];
    code = prefix_[code];
  }
  firstChar_ = uint8_t(code);
  stack_[stackSize_++] = firstChar_;

  if (previous_ >= 0 && nextFree_ < kMaxCodes) {
    prefix_[nextFree_] = uint16_t(previous_);
    suffix_[nextFree_] = firstChar_;
    ++nextFree_;
    if (nextFree_ == codeLimit_ && codeWidth_ < kMaxCodeWidth) {
      ++codeWidth_;
      codeLimit_ <<= 1;
    }
  }
  previous_ = incoming;
  return true;
}

size_t GifLzwDecoder::Decode(GifSubBlocks& data, uint8_t* out, size_t count) {
  size_t written = 0;
  while (written < count) {
    if (stackSize_ == 0) {
      if (ended_ || !ExpandNextCode(data)) {
        ended_ = true;
        break;
      }
    }
    while (stackSize_ > 0 && written < count) out[written++] = stack_[--stackSize_];
  }
  return written;
}

}  // namespace ravelight
