#include "jpeg_scan_filter.h"

#include <cstring>

namespace ravelight {
namespace {

constexpr uint8_t kProgressiveHuffmanFrame = 0xC2;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kRestartInterval = 0xDD;
constexpr uint8_t kNumberOfLines = 0xDC;

bool IsFrameMarker(uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }
bool IsRestartMarker(uint8_t m) { return m >= 0xD0 && m <= 0xD7; }

// The end of a scan's entropy-coded data starting at from: the offset of the next marker that is
// neither a stuffed zero nor a restart (fill bytes before it are left out), or 0 when the data
// runs off the end or its restart markers do not count 0, 1, ... 7, 0, ... from the scan start.
size_t EndOfEntropyData(const uint8_t* file, size_t size, size_t from, bool restarts, size_t* nextMarker) {
  int expected = 0;
  size_t at = from;
  for (;;) {
    const void* ff = at < size ? std::memchr(file + at, 0xFF, size - at) : nullptr;
    if (!ff) return 0;
    const size_t end = size_t(static_cast<const uint8_t*>(ff) - file);
    size_t code = end + 1;
    while (code < size && file[code] == 0xFF) ++code;
    if (code >= size) return 0;
    const uint8_t m = file[code];
    if (m == 0) {
      at = code + 1;
    } else if (IsRestartMarker(m)) {
      if (!restarts || m - 0xD0 != expected) return 0;
      expected = (expected + 1) & 7;
      at = code + 1;
    } else {
      *nextMarker = code - 1;
      return end;
    }
  }
}

// Whether the decoder at 1/8 reads anything the scan carries. An AC scan names one component.
bool ScanIsNeeded(const uint8_t* header, size_t length, const AcNeeded& acNeeded, bool* valid) {
  *valid = false;
  if (length < 1) return false;
  const size_t count = header[0];
  if (count < 1 || count > 4 || length != 1 + 2 * count + 3) return false;
  const uint8_t firstCoefficient = header[1 + 2 * count];
  if (firstCoefficient == 0) return *valid = true;
  if (count != 1) return false;
  *valid = true;
  return acNeeded.byComponentId[header[1]];
}

}  // namespace

size_t KeepEighthScaleScans(uint8_t* file, size_t size, const AcNeeded& acNeeded) {
  if (size < 4 || file[0] != 0xFF || file[1] != 0xD8) return 0;
  size_t read = 2, written = 2;
  bool progressive = false, scans = false, restarts = false;
  for (;;) {
    if (read + 2 > size || file[read] != 0xFF) return 0;
    while (read + 2 < size && file[read + 1] == 0xFF) ++read;
    const uint8_t marker = file[read + 1];
    if (marker == kEndOfImage) {
      if (!progressive || !scans) return 0;
      file[written++] = 0xFF;
      file[written++] = kEndOfImage;
      return written;
    }
    if (read + 4 > size) return 0;
    const size_t length = size_t(file[read + 2]) << 8 | file[read + 3];
    if (length < 2 || read + 2 + length > size || marker < 0xC0 || IsRestartMarker(marker) ||
        marker == 0xD8 || marker == kNumberOfLines)
      return 0;
    size_t end = read + 2 + length, next = end;
    bool keep = true;
    if (IsFrameMarker(marker)) {
      if (marker != kProgressiveHuffmanFrame || progressive) return 0;
      progressive = true;
    } else if (marker == kRestartInterval) {
      if (length != 4) return 0;
      restarts = (file[read + 4] | file[read + 5]) != 0;
    } else if (marker == kStartOfScan) {
      bool valid = false;
      keep = ScanIsNeeded(file + read + 4, length - 2, acNeeded, &valid);
      if (!valid || !progressive) return 0;
      end = EndOfEntropyData(file, size, end, restarts, &next);
      if (end == 0) return 0;
      scans = true;
    }
    if (keep) {
      std::memmove(file + written, file + read, end - read);
      written += end - read;
    }
    read = next;
  }
}

}  // namespace ravelight
