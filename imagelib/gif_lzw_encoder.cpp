#include "gif_lzw_encoder.h"

#include <cstring>

namespace ravelight {

GifLzwEncoder::GifLzwEncoder(OutputFile& file, int codeSize)
    : file_(file),
      initialBits_(codeSize + 1),
      clearCode_(1 << codeSize),
      endCode_(clearCode_ + 1),
      bits_(initialBits_),
      maxCode_((1 << initialBits_) - 1),
      freeCode_(clearCode_ + 2) {
  std::memset(hashCode_, 0, sizeof hashCode_);
  Emit(clearCode_);
}

void GifLzwEncoder::Add(int index) {
  if (!started_) {
    waiting_ = index;
    started_ = true;
    return;
  }
  int slot = (index << (kMaxBits - 8)) + waiting_;
  if (slot >= kHashSize) slot -= kHashSize;
  const uint32_t key = uint32_t(waiting_) << 8 | uint32_t(index);
  // Collisions step back by a displacement that depends on the first slot, wrapping around.
  const int displacement = slot == 0 ? 1 : kHashSize - slot;
  while (hashCode_[slot] != 0) {
    if (hashKey_[slot] == key) {
      waiting_ = hashCode_[slot];
      return;
    }
    slot -= displacement;
    if (slot < 0) slot += kHashSize;
  }
  Emit(waiting_);
  if (freeCode_ < kMaxCodes) {
    hashCode_[slot] = uint16_t(freeCode_++);
    hashKey_[slot] = key;
  } else {
    ClearTable();
  }
  waiting_ = index;
}

void GifLzwEncoder::Finish() {
  if (started_) Emit(waiting_);
  Emit(endCode_);
  if (accumulated_ > 0) PutByte(uint8_t(accumulator_));
  WriteBlock();
}

// Widens the codes when the next string's code would not fit, in step with what a decoder does.
void GifLzwEncoder::Emit(int code) {
  accumulator_ |= uint32_t(code) << accumulated_;
  accumulated_ += bits_;
  while (accumulated_ >= 8) {
    PutByte(uint8_t(accumulator_));
    accumulator_ >>= 8;
    accumulated_ -= 8;
  }
  if (freeCode_ > maxCode_) {
    ++bits_;
    maxCode_ = bits_ == kMaxBits ? kMaxCodes : (1 << bits_) - 1;
  }
}

// All codes are taken: the decoder is told to start afresh, and so does the table.
void GifLzwEncoder::ClearTable() {
  std::memset(hashCode_, 0, sizeof hashCode_);
  freeCode_ = clearCode_ + 2;
  Emit(clearCode_);
  bits_ = initialBits_;
  maxCode_ = (1 << bits_) - 1;
}

void GifLzwEncoder::PutByte(uint8_t byte) {
  block_[++blockBytes_] = byte;
  if (blockBytes_ == 255) WriteBlock();
}

// A sub-block is its byte count, then the bytes; an empty one would end the data, so none is written.
void GifLzwEncoder::WriteBlock() {
  if (blockBytes_ == 0) return;
  block_[0] = uint8_t(blockBytes_);
  file_.Write(block_, size_t(blockBytes_) + 1);
  blockBytes_ = 0;
}

}  // namespace ravelight
