#include "bmp_reference.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeReferenceBmp(const ReferencePicture& rgb) {
  const uint32_t rowBytes = (uint32_t(rgb.width) * 3 + 3) & ~3u;
  const uint32_t bits = rowBytes * uint32_t(rgb.height);
  std::vector<uint8_t> out = {'B', 'M'};
  Put(out, 54 + bits, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, uint32_t(rgb.width), 4);
  Put(out, uint32_t(rgb.height), 4);
  Put(out, 1, 2);
  Put(out, 24, 2);
  for (int i = 0; i < 6; ++i) Put(out, 0, 4);
  for (int y = rgb.height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < rgb.width; ++x) {
      const uint8_t* p = &rgb.samples[(size_t(y) * rgb.width + x) * 3];
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}
