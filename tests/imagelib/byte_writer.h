#pragma once
// Files built byte by byte in tests, with fields in either byte order.
#include <cstdint>
#include <string>
#include <vector>

class ByteWriter {
 public:
  ByteWriter& U8(unsigned v) {
    bytes_.push_back(uint8_t(v));
    return *this;
  }
  ByteWriter& Le16(unsigned v) { return U8(v).U8(v >> 8); }
  ByteWriter& Le32(uint32_t v) { return Le16(v & 0xFFFF).Le16(v >> 16); }
  ByteWriter& Be16(unsigned v) { return U8(v >> 8).U8(v); }
  ByteWriter& Be32(uint32_t v) { return Be16(v >> 16).Be16(v & 0xFFFF); }
  ByteWriter& Text(const std::string& s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  ByteWriter& Bytes(const std::vector<uint8_t>& b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  ByteWriter& Fill(size_t count, unsigned v) {
    bytes_.insert(bytes_.end(), count, uint8_t(v));
    return *this;
  }
  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Get() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};
