#include "fpx_audio_stream.h"

#include <algorithm>
#include <cstring>
#include <string>

// Layout after the FF E2 marker, numbers big-endian: segment length (2, counting itself), tag (5)
// and version (1), both ignored, and the type (1).
//  - contents list (type 1): entry count (2); per entry the stream size (4), its fill byte (1), its
//    name in UTF-16 ending in a NUL character, and for a storage (size FFFFFFFF) a 16-byte class
//    identifier.
//  - stream data (type 2): the stream's index in the contents list (2), the offset of these bytes
//    within the stream (4), then the bytes up to the segment's end.
//
// How the pieces are put together (settled on segments built this way; no camera file was at
// hand):
//  - Stream offsets count the stream from its very first byte, the 28-byte header included, the
//    same for every segment: a byte at stream offset x is sound byte x - 28. The first segment
//    (offset 0) thus loses exactly the header, and later ones land where their offsets say.
//  - A data segment carries every byte after its 17-byte header up to the end its length gives
//    (length - 15 bytes).
//  - Names are little-endian UTF-16, as the camera's own (Intel) software wrote them; characters
//    beyond ASCII never match and become "?".
//  - A segment is examined only when it lies wholly in the file, and the scan goes on after it:
//    sound bytes that happen to read FF E2 are not taken for segments of their own.
namespace {

constexpr uint8_t kMarker[2] = {0xFF, 0xE2};
constexpr size_t kTypeAt = 10;
constexpr size_t kContentsHeader = 13;   // marker, length, tag, version, type, entry count
constexpr size_t kDataHeader = 17;       // marker, length, tag, version, type, index, offset
constexpr uint64_t kStreamHeader = 28;   // the audio stream's own header, not part of the sound
constexpr size_t kTail = 500;            // the scan stops this near the end of the file
constexpr uint32_t kMaxEntries = 10;
constexpr size_t kMaxName = 2000;
constexpr uint32_t kStorage = 0xFFFFFFFF;
constexpr size_t kClassId = 16;
const std::string kAudioName = "Audio Stream";

uint32_t BigEndian(const uint8_t* at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | at[i];
  return value;
}

struct AudioStream {
  bool named = false;
  uint32_t index = 0;
  uint64_t length = 0;
  uint8_t fill = 0;
  std::vector<uint8_t>* sound = nullptr;  // empty until the first data segment
};

// Reads a NUL-terminated UTF-16 name starting at at; false when the segment ends first.
bool ReadName(const uint8_t* data, size_t& at, size_t end, std::string& name) {
  for (; at + 1 < end; at += 2) {
    const uint8_t low = data[at], high = data[at + 1];
    if (low == 0 && high == 0) {
      at += 2;
      return true;
    }
    if (name.size() < kMaxName) name += high == 0 && low < 0x80 ? char(low) : '?';
  }
  return false;
}

bool IsAudioName(const std::string& name) {
  const size_t slash = name.find_last_of('/');
  return name.compare(slash == std::string::npos ? 0 : slash + 1, kAudioName.size(), kAudioName) == 0;
}

// The segment runs from start to end; false when it lists more entries than is plausible. An
// entry cut off by the segment's end ends the list.
bool ReadContentsList(const uint8_t* data, size_t start, size_t end, uint64_t fileSize, AudioStream& audio) {
  const uint32_t count = BigEndian(data + start + 11, 2);
  if (count > kMaxEntries) return false;
  size_t at = start + kContentsHeader;
  for (uint32_t entry = 0; entry < count; ++entry) {
    if (end - at < 5) return true;
    const uint32_t size = BigEndian(data + at, 4);
    const uint8_t fill = data[at + 4];
    at += 5;
    std::string name;
    if (!ReadName(data, at, end, name)) return true;
    if (size == kStorage) {
      if (end - at < kClassId) return true;
      at += kClassId;
      continue;
    }
    // A stream longer than the file that holds it is a lie; believing it would only allocate.
    if (IsAudioName(name) && size >= kStreamHeader && size - kStreamHeader <= fileSize) {
      audio.named = true;
      audio.index = entry;
      audio.length = size - kStreamHeader;
      audio.fill = fill;
      audio.sound->clear();  // bytes gathered for a stream named before no longer apply
    }
  }
  return true;
}

void ReadStreamData(const uint8_t* data, size_t start, size_t end, AudioStream& audio) {
  if (!audio.named || BigEndian(data + start + 11, 2) != audio.index) return;
  std::vector<uint8_t>& sound = *audio.sound;
  if (sound.empty()) sound.assign(size_t(audio.length), audio.fill);
  const uint64_t offset = BigEndian(data + start + 13, 4);
  const uint64_t count = end - (start + kDataHeader);
  const uint64_t first = std::max(offset, kStreamHeader);
  const uint64_t last = std::min(offset + count, kStreamHeader + sound.size());
  if (first >= last) return;
  std::memcpy(sound.data() + (first - kStreamHeader), data + start + kDataHeader + (first - offset),
              size_t(last - first));
}

}  // namespace

FpxAudioResult ReadFpxAudio(const uint8_t* data, size_t size, std::vector<uint8_t>& sound) {
  sound.clear();
  AudioStream audio;
  audio.sound = &sound;
  for (size_t at = 0; size > kTail && at < size - kTail; ++at) {
    if (data[at] != kMarker[0] || data[at + 1] != kMarker[1]) continue;
    const uint64_t end = uint64_t(at) + 2 + BigEndian(data + at + 2, 2);
    if (end > size) continue;  // cut short: not trusted
    const uint8_t type = data[at + kTypeAt];
    if (type == 1 && end >= at + kContentsHeader) {
      if (!ReadContentsList(data, at, size_t(end), size, audio)) {
        sound.clear();
        return FpxAudioResult::kImplausible;
      }
      at = size_t(end) - 1;
    } else if (type == 2 && end >= at + kDataHeader) {
      ReadStreamData(data, at, size_t(end), audio);
      at = size_t(end) - 1;
    }
  }
  if (audio.length == 0) sound.clear();
  return FpxAudioResult::kRead;
}
