#include "embedded_audio.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "file_system.h"

namespace {

constexpr size_t kStreamHeader = 28;      // the audio stream's own header, not part of the sound
constexpr size_t kSegmentHeader = 17;     // FF E2, length, tag, version, type, index, offset
constexpr size_t kContentsHeader = 13;    // FF E2, length, tag, version, type, entry count
constexpr int kMaxEntries = 10;
constexpr size_t kMaxName = 2000;
constexpr uint32_t kStorage = 0xFFFFFFFF;

uint32_t BigEndian(const std::vector<uint8_t>& data, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | data[at + size_t(i)];
  return value;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& data) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  uint8_t block[65536];
  for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) data.insert(data.end(), block, block + n);
  std::fclose(file);
  return true;
}

struct AudioStream {
  bool found = false;
  uint32_t index = 0;
  size_t length = 0;
  uint8_t fill = 0;
  std::vector<uint8_t> sound;  // empty until the first data segment
};

// The segment's bytes run from start to end (exclusive); false when the list is implausible.
bool ReadContentsList(const std::vector<uint8_t>& data, size_t start, size_t end, AudioStream& audio) {
  const uint32_t count = BigEndian(data, start + 11, 2);
  if (count > kMaxEntries) return false;
  size_t at = start + kContentsHeader;
  for (uint32_t entry = 0; entry < count; ++entry) {
    if (at + 5 > end) return true;
    const uint32_t size = BigEndian(data, at, 4);
    const uint8_t fill = data[at + 4];
    at += 5;
    std::string name;  // UTF-16 as stored; stream names are plain ASCII
    while (at + 1 < end && (data[at] | data[at + 1]) != 0 && name.size() < kMaxName) {
      name += data[at + 1] == 0 ? char(data[at]) : '?';
      at += 2;
    }
    at += 2;
    if (size == kStorage) at += 16;
    const size_t slash = name.find_last_of('/');
    const std::string leaf = slash == std::string::npos ? name : name.substr(slash + 1);
    if (leaf.compare(0, 12, "Audio Stream") == 0 && size >= kStreamHeader) {
      audio.found = true;
      audio.index = entry;
      audio.length = size - kStreamHeader;
      audio.fill = fill;
    }
  }
  return true;
}

// Stream offsets count the stream's header, so data at stream offset x is sound byte x - 28;
// nothing is ever placed outside the sound's length.
void ReadStreamData(const std::vector<uint8_t>& data, size_t start, size_t end, AudioStream& audio) {
  if (!audio.found || BigEndian(data, start + 11, 2) != audio.index) return;
  if (audio.sound.empty()) audio.sound.assign(audio.length, audio.fill);
  const uint64_t offset = BigEndian(data, start + 13, 4);
  for (size_t at = start + kSegmentHeader, streamAt = size_t(offset); at < end; ++at, ++streamAt)
    if (streamAt >= kStreamHeader && streamAt - kStreamHeader < audio.length)
      audio.sound[streamAt - kStreamHeader] = data[at];
}

}  // namespace

std::string CompanionSoundPath(const std::string& imagePath) {
  const size_t dot = imagePath.find_last_of('.');
  const size_t separator = imagePath.find_last_of("\\/:");
  if (dot == std::string::npos || (separator != std::string::npos && separator > dot)) return imagePath + ".wav";
  return imagePath.substr(0, dot) + ".wav";
}

int ExtractEmbeddedAudio(const std::string& imagePath) {
  const std::string soundPath = CompanionSoundPath(imagePath);
  if (platform::FileExists(soundPath)) return -1;
  std::vector<uint8_t> data;
  if (!ReadFile(imagePath, data)) return 1;
  if (data.size() < 1000) return 0;

  AudioStream audio;
  for (size_t at = 0; at + 500 < data.size(); ++at) {
    if (data[at] != 0xFF || data[at + 1] != 0xE2) continue;
    const size_t end = at + 2 + BigEndian(data, at + 2, 2);
    const size_t segmentEnd = end < data.size() ? end : data.size();
    const uint8_t type = data[at + 10];
    if (type == 1 && segmentEnd >= at + kContentsHeader) {
      if (!ReadContentsList(data, at, segmentEnd, audio)) return 1;
    } else if (type == 2 && segmentEnd >= at + kSegmentHeader) {
      ReadStreamData(data, at, segmentEnd, audio);
    }
  }
  if (!audio.sound.empty() && audio.length > 0) platform::ReplaceFileContents(soundPath, audio.sound.data(), audio.sound.size());
  return 0;
}
