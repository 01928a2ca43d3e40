#pragma once
// Reading a file whose own counts and offsets can't be trusted: every read and seek is checked
// against the file's real size, so no count taken from the file makes us read or skip past its end
// or allocate for data that isn't there.
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace ravelight {

class FileReader {
 public:
  // Measures the stream and starts at its beginning; a stream that can't be measured reads as empty.
  explicit FileReader(FILE* stream);
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  uint64_t Size() const { return size_; }
  uint64_t Position() const { return bufferStart_ + used_; }
  uint64_t Remaining() const { return size_ - Position(); }

  // False, with the position unchanged, when the target lies past the end.
  bool Seek(uint64_t offset);
  bool Skip(uint64_t count) { return count <= Remaining() && Seek(Position() + count); }
  // False when fewer bytes remain than asked for.
  bool Read(void* to, size_t count);
  bool ReadByte(uint8_t& byte) {
    if (used_ == filled_ && !Refill()) return false;
    byte = buffer_[used_++];
    return true;
  }

 private:
  bool Refill();

  FILE* stream_;
  uint64_t size_ = 0;
  uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
  size_t filled_ = 0;
  size_t used_ = 0;
  uint8_t buffer_[16384];
};

}  // namespace ravelight
