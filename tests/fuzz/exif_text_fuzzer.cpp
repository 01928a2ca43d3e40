// Feeds arbitrary bytes to the camera-information text as a picture's EXIF segment. The first byte
// picks a start: half the inputs get a valid segment header (either byte order) so that the
// directory walk is reached at once. The text must stay inside its buffer and the segment must
// come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Cimage.h"

namespace {

const uint8_t kIntelHeader[] = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0};
const uint8_t kMotorolaHeader[] = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8};

std::vector<uint8_t> Segment(const uint8_t* data, size_t size) {
  const uint8_t choice = data[0];
  ++data;
  --size;
  std::vector<uint8_t> segment = {uint8_t(size >> 8), uint8_t(size)};
  if (choice % 4 == 2) segment.insert(segment.end(), kIntelHeader, kIntelHeader + sizeof kIntelHeader);
  if (choice % 4 == 3) segment.insert(segment.end(), kMotorolaHeader, kMotorolaHeader + sizeof kMotorolaHeader);
  segment.insert(segment.end(), data, data + size);
  return segment;
}

void WriteText(Cimage& picture, int size) {
  constexpr size_t kSlack = 16;
  std::vector<char> text(size_t(size) + kSlack, 'X');
  picture.EXIF_ImageInfoText(text.data(), 0x8000000, size);
  if (!std::memchr(text.data(), '\0', size_t(size))) std::abort();
  for (size_t i = size_t(size); i < text.size(); ++i)
    if (text[i] != 'X') std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<uint8_t> segment = Segment(data, size);
  Cimage picture;
  uint8_t* block = picture.EXIFNewBuffer(unsigned(segment.size()));
  if (!block) return 0;
  std::memcpy(block, segment.data(), segment.size());

  WriteText(picture, 30000);
  WriteText(picture, 1 + data[0] % 64);
  if (picture.m_exifSize != segment.size() || std::memcmp(picture.m_exif, segment.data(), segment.size()) != 0)
    std::abort();
  return 0;
}
