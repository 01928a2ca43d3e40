#include "gif_sub_blocks.h"

namespace ravelight {

bool GifSubBlocks::NextBlock() {
  if (finished_) return false;
  const int length = std::getc(stream_);
  if (length == EOF || length == 0) {
    finished_ = true;
    return false;
  }
  size_ = int(std::fread(block_, 1, size_t(length), stream_));
  pos_ = 0;
  // A block cut short by the end of the file still gives what it has; nothing can follow it.
  if (size_ < length) finished_ = true;
  return size_ > 0;
}

void GifSubBlocks::SkipRest() {
  while (NextBlock()) {
  }
  pos_ = size_;
}

}  // namespace ravelight
