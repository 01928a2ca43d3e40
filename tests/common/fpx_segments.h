#pragma once
// FlashPix APP2 segments as cameras write them into a JPEG, built byte by byte for the tests of
// sound memos: a contents list naming the streams, and pieces of a stream's bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace fpx_test {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kStorage = 0xFFFFFFFF;

inline void Put(Bytes& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

// An APP2 segment whose length field says declared (the body's real length when 0).
inline Bytes Segment(const Bytes& body, uint32_t declared = 0) {
  Bytes segment = {0xFF, 0xE2};
  Put(segment, declared ? declared : body.size() + 2, 2);
  segment.insert(segment.end(), body.begin(), body.end());
  return segment;
}

struct Entry {
  uint32_t size;
  uint8_t fill;
  std::string name;
  bool terminated = true;
};

inline Bytes ContentsBody(const std::vector<Entry>& entries) {
  Bytes body = {'F', 'P', 'X', 'R', 0, 0, 1};
  Put(body, entries.size(), 2);
  for (const Entry& e : entries) {
    Put(body, e.size, 4);
    body.push_back(e.fill);
    for (char c : e.name) body.insert(body.end(), {uint8_t(c), 0});
    if (e.terminated) body.insert(body.end(), {0, 0});
    if (e.size == kStorage) body.insert(body.end(), 16, 0xCC);
  }
  return body;
}

inline Bytes ContentsList(const std::vector<Entry>& entries) { return Segment(ContentsBody(entries)); }

inline Bytes StreamBody(uint32_t index, uint32_t offset, const Bytes& data) {
  Bytes body = {'F', 'P', 'X', 'R', 0, 0, 2};
  Put(body, index, 2);
  Put(body, offset, 4);
  body.insert(body.end(), data.begin(), data.end());
  return body;
}

inline Bytes StreamData(uint32_t index, uint32_t offset, const Bytes& data) {
  return Segment(StreamBody(index, offset, data));
}

// A JPEG's bytes with a sound memo of these bytes: the contents list naming an "Audio Stream" and
// one piece of the stream (its own 28-byte header, which the sound file does not carry, then the
// sound), right after the start-of-image marker, where cameras put them.
inline std::string WithSoundMemo(const std::string& jpeg, const Bytes& sound) {
  Bytes stream(28, 0xAB);
  stream.insert(stream.end(), sound.begin(), sound.end());
  Bytes memo = ContentsList({{uint32_t(stream.size()), 0, "Audio Stream"}});
  const Bytes data = StreamData(0, 0, stream);
  memo.insert(memo.end(), data.begin(), data.end());
  return jpeg.substr(0, 2) + std::string(memo.begin(), memo.end()) + jpeg.substr(2);
}

// A sound's bytes that no stretch of fill could pass for.
inline Bytes TestSound(size_t size) {
  Bytes sound(size);
  for (size_t i = 0; i < size; ++i) sound[i] = uint8_t(i * 7);
  return sound;
}

}  // namespace fpx_test
