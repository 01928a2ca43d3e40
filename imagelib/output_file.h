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

// Little-endian fields as BMP and GIF store them.
inline void PutLittle16(uint8_t* at, uint32_t value) {
  at[0] = uint8_t(value);
  at[1] = uint8_t(value >> 8);
}
inline void PutLittle32(uint8_t* at, uint32_t value) {
  PutLittle16(at, value);
  PutLittle16(at + 2, value >> 16);
}

}  // namespace ravelight
