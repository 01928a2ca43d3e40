#pragma once
// Bytes to a stdio stream with every write checked. After the first failure nothing more is
// written, and Finish reports it, so a full disk never passes for a good file.
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace ravelight {

class OutputFile {
 public:
  explicit OutputFile(FILE* stream) : stream_(stream), failed_(stream == nullptr) {}

  void Write(const void* bytes, size_t size);
  void WriteByte(uint8_t byte) { Write(&byte, 1); }
  bool Failed() const { return failed_; }
  // Flushes the stream; true when every byte reached it without error.
  bool Finish();

 private:
  FILE* stream_;
  bool failed_;
};

}  // namespace ravelight
