#include "bmp_writer.h"

#include <cstring>
#include <memory>
#include <new>

#include "byte_order.h"
#include "output_file.h"

namespace ravelight {
namespace {

constexpr int kHeadersSize = 14 + 40;
constexpr int kTableEntries = 256;

uint32_t PixelsPerMetre(uint8_t unit, uint16_t density) {
  return unit == PixelDensity::kPerCentimetre ? uint32_t(density) * 100 : 0;
}

void WriteHeaders(OutputFile& file, const PictureRows& rows, int bitCount, int64_t bitsOffset, int64_t fileSize,
                  const PixelDensity& density) {
  uint8_t h[kHeadersSize] = {'B', 'M'};
  PutLittle32(h + 2, uint32_t(fileSize));
  PutLittle32(h + 10, uint32_t(bitsOffset));
  PutLittle32(h + 14, 40);
  PutLittle32(h + 18, uint32_t(rows.width));
  PutLittle32(h + 22, uint32_t(rows.height));  // positive: bottom row first
  PutLittle16(h + 26, 1);
  PutLittle16(h + 28, uint32_t(bitCount));
  PutLittle32(h + 38, PixelsPerMetre(density.unit, density.x));
  PutLittle32(h + 42, PixelsPerMetre(density.unit, density.y));
  PutLittle32(h + 46, bitCount == 8 ? kTableEntries : 0);
  file.Write(h, sizeof h);
}

void WriteColourTable(OutputFile& file, const ColourMap& palette) {
  uint8_t table[4 * kTableEntries] = {};
  for (int i = 0; i < palette.count && i < kTableEntries; ++i) {
    table[4 * i] = palette.blue[i];
    table[4 * i + 1] = palette.green[i];
    table[4 * i + 2] = palette.red[i];
  }
  file.Write(table, sizeof table);
}

// Grey output has no colour map of its own: its table is the ramp of all 256 levels.
const ColourMap& GreyRamp() {
  static const ColourMap ramp = [] {
    ColourMap map;
    map.count = kTableEntries;
    for (int i = 0; i < kTableEntries; ++i) map.red[i] = map.green[i] = map.blue[i] = uint8_t(i);
    return map;
  }();
  return ramp;
}

bool WriteBmp(FILE* out, const PictureRows& rows, int bytesPerPixel, const ColourMap* palette,
              const PixelDensity& density) {
  if (rows.width <= 0 || rows.height <= 0) return false;
  const int64_t sampleBytes = int64_t(rows.width) * bytesPerPixel;
  const int64_t rowBytes = (sampleBytes + 3) & ~int64_t{3};
  const int64_t bitsOffset = kHeadersSize + (palette ? 4 * kTableEntries : 0);
  const int64_t fileSize = bitsOffset + rowBytes * rows.height;
  if (fileSize > int64_t{UINT32_MAX}) return false;
  std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[size_t(rowBytes)]());  // pads stay 0
  if (!row) return false;

  OutputFile file(out);
  WriteHeaders(file, rows, 8 * bytesPerPixel, bitsOffset, fileSize, density);
  if (palette) WriteColourTable(file, *palette);
  for (int y = rows.height - 1; y >= 0 && !file.Failed(); --y) {
    std::memcpy(row.get(), rows.Row(y), size_t(sampleBytes));
    file.Write(row.get(), size_t(rowBytes));
  }
  return file.Finish();
}

}  // namespace

bool WriteBmp24(FILE* out, const PictureRows& pixels, const PixelDensity& density) {
  return WriteBmp(out, pixels, 3, nullptr, density);
}

bool WriteBmp8(FILE* out, const PictureRows& indices, const ColourMap& palette, const PixelDensity& density) {
  return WriteBmp(out, indices, 1, &palette, density);
}

bool WriteBmpGrey(FILE* out, const PictureRows& levels, const PixelDensity& density) {
  return WriteBmp(out, levels, 1, &GreyRamp(), density);
}

}  // namespace ravelight
