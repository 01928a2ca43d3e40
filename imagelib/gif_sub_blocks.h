#pragma once
// The data of a GIF image or extension comes in sub-blocks: a length byte and that many bytes,
// repeated until a block of length zero.
#include <cstdint>
#include <cstdio>

namespace ravelight {

class GifSubBlocks {
 public:
  explicit GifSubBlocks(FILE* stream) : stream_(stream) {}
  GifSubBlocks(const GifSubBlocks&) = delete;
  GifSubBlocks& operator=(const GifSubBlocks&) = delete;

  // The next data byte; -1 once the empty block or the end of the file has been reached.
  int NextByte() {
    if (pos_ == size_ && !NextBlock()) return -1;
    return block_[pos_++];
  }

  // Reads past whatever data is left, through the empty block that ends it, so that the next
  // read sees the block after the data.
  void SkipRest();

 private:
  bool NextBlock();

  FILE* stream_;
  uint8_t block_[255];
  int size_ = 0;
  int pos_ = 0;
  bool finished_ = false;  // the empty block or the end of the file was read: nothing follows
};

}  // namespace ravelight
