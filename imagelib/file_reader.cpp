#include "file_reader.h"

#include <algorithm>
#include <cstring>

namespace ravelight {

FileReader::FileReader(FILE* stream) : stream_(stream) {
  if (!stream_ || std::fseek(stream_, 0, SEEK_END) != 0) return;
  const long end = std::ftell(stream_);
  if (end < 0 || std::fseek(stream_, 0, SEEK_SET) != 0) return;
  size_ = uint64_t(end);
}

bool FileReader::Seek(uint64_t offset) {
  if (offset > size_) return false;
  if (offset >= bufferStart_ && offset <= bufferStart_ + filled_) {
    used_ = size_t(offset - bufferStart_);
    return true;
  }
  // The size came from ftell, so every offset up to it fits in a long.
  if (std::fseek(stream_, long(offset), SEEK_SET) != 0) return false;
  bufferStart_ = offset;
  filled_ = used_ = 0;
  return true;
}

bool FileReader::Read(void* to, size_t count) {
  if (count > Remaining()) return false;
  auto* out = static_cast<uint8_t*>(to);
  while (count) {
    if (used_ == filled_ && !Refill()) return false;
    const size_t n = std::min(count, filled_ - used_);
    std::memcpy(out, buffer_ + used_, n);
    used_ += n;
    out += n;
    count -= n;
  }
  return true;
}

bool FileReader::Refill() {
  if (Position() >= size_) return false;
  bufferStart_ += filled_;
  used_ = 0;
  const uint64_t want = std::min<uint64_t>(sizeof buffer_, size_ - bufferStart_);
  filled_ = std::fread(buffer_, 1, size_t(want), stream_);
  return filled_ > 0;
}

}  // namespace ravelight
