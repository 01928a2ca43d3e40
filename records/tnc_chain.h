#pragma once
// Reading the header and the chain of entries of a cache file. Every offset in the file is
// untrusted: the chain only moves forward, entries lie wholly inside the file and never overlap,
// and a link that breaks these rules ends the reading with what was read before it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tnc_format.h"

// Bytes at offsets of a cache file.
class TncSource {
 public:
  virtual ~TncSource() = default;
  virtual int64_t Size() = 0;  // -1 when it cannot be told
  virtual bool ReadAt(int64_t offset, void* buffer, size_t size) = 0;
};

// A whole cache file in memory.
class TncBytes : public TncSource {
 public:
  TncBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int64_t Size() override { return int64_t(size_); }
  bool ReadAt(int64_t offset, void* buffer, size_t size) override;

 private:
  const uint8_t* data_;
  size_t size_;
};

// A source read ahead in large blocks, for a walk that only moves forward (the chain's): the file
// is read once, in order, rather than with a seek and a read for every entry.
class TncReadAhead : public TncSource {
 public:
  explicit TncReadAhead(TncSource& source) : source_(source) {}
  int64_t Size() override;
  bool ReadAt(int64_t offset, void* buffer, size_t size) override;

 private:
  TncSource& source_;
  std::vector<uint8_t> block_;
  int64_t blockAt_ = 0;
  int64_t size_ = 0;
  bool sized_ = false;
};

struct TncEntryAt {
  TncEntry entry;
  int32_t offset = 0;  // where the entry lies; its JPEG follows at offset + 296
};

struct TncChain {
  std::vector<TncEntryAt> entries;  // in file order, so the newest is last
  bool broken = false;              // a link broke the rules, or an entry could not be read
};

// More entries than any folder holds; a chain this long is cut off here.
constexpr size_t kTncMaxEntries = 100000;

// False when the file is too short for a header or is of an unknown version.
bool ReadTncHeader(TncSource& source, TncHeader* header);

TncChain ReadTncChain(TncSource& source, int32_t first);

// Where the JPEG of chain entry index ends: at the next entry, or at the end of the file.
int64_t TncJpegEnd(const TncChain& chain, size_t index, int64_t fileSize);
