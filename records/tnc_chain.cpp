#include "tnc_chain.h"

#include <algorithm>
#include <cstring>

bool TncBytes::ReadAt(int64_t offset, void* buffer, size_t size) {
  if (offset < 0 || uint64_t(offset) > size_ || size > size_ - size_t(offset)) return false;
  std::memcpy(buffer, data_ + offset, size);
  return true;
}

namespace {

constexpr int64_t kReadAheadBytes = 256 * 1024;

}  // namespace

int64_t TncReadAhead::Size() {
  if (!sized_) {
    size_ = source_.Size();
    sized_ = true;
  }
  return size_;
}

bool TncReadAhead::ReadAt(int64_t offset, void* buffer, size_t size) {
  const int64_t wanted = int64_t(size);
  if (offset < 0 || wanted < 0) return false;
  if (offset < blockAt_ || offset + wanted > blockAt_ + int64_t(block_.size())) {
    const int64_t total = Size();
    if (total < 0 || offset > total || wanted > total - offset) return source_.ReadAt(offset, buffer, size);
    const int64_t length = std::min(std::max(kReadAheadBytes, wanted), total - offset);
    block_.resize(size_t(length));
    if (!source_.ReadAt(offset, block_.data(), block_.size())) {
      block_.clear();
      return false;
    }
    blockAt_ = offset;
  }
  std::memcpy(buffer, block_.data() + (offset - blockAt_), size);
  return true;
}

bool ReadTncHeader(TncSource& source, TncHeader* header) {
  uint8_t bytes[kTncHeaderSize];
  if (!source.ReadAt(0, bytes, sizeof bytes)) return false;
  *header = DecodeTncHeader(bytes);
  return IsKnownTncVersion(header->version);
}

TncChain ReadTncChain(TncSource& source, int32_t first) {
  TncChain chain;
  const int64_t size = source.Size();
  // Each entry must start past the end of the one before (the header, for the first).
  int64_t earliest = kTncHeaderSize;
  for (int64_t offset = first; offset != 0;) {
    if (offset < earliest || size < 0 || offset > size - int64_t(kTncEntrySize) ||
        chain.entries.size() == kTncMaxEntries) {
      chain.broken = true;
      break;
    }
    uint8_t bytes[kTncEntrySize];
    if (!source.ReadAt(offset, bytes, sizeof bytes)) {
      chain.broken = true;
      break;
    }
    TncEntryAt read;
    read.entry = DecodeTncEntry(bytes);
    read.offset = int32_t(offset);
    chain.entries.push_back(read);
    earliest = offset + int64_t(kTncEntrySize);
    offset = read.entry.next;
  }
  return chain;
}

int64_t TncJpegEnd(const TncChain& chain, size_t index, int64_t fileSize) {
  return index + 1 < chain.entries.size() ? chain.entries[index + 1].offset : fileSize;
}
