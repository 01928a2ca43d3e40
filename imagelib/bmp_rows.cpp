#include "bmp_rows.h"

#include <algorithm>
#include <cstdlib>

namespace ravelight {
namespace {

constexpr uint64_t kBandBytes = uint64_t{1} << 20;

}  // namespace

BmpFileRows::BmpFileRows(FileReader& file, uint64_t bitsStart, const DibLayout& layout, const uint8_t* dib)
    : file_(file), bitsStart_(bitsStart), layout_(layout), convert_(layout, dib, palette_) {
  ReadDibPalette(layout, dib, palette_);
  bandRows_ = int(std::min<uint64_t>(std::max<uint64_t>(1, kBandBytes / layout.rowBytes), uint64_t(layout.height)));
  const uint64_t bytes = uint64_t(bandRows_) * layout.rowBytes + 2 * 3 * uint64_t(layout.width);
  if (bytes <= SIZE_MAX) band_ = static_cast<uint8_t*>(std::malloc(size_t(bytes)));
}

BmpFileRows::~BmpFileRows() { std::free(band_); }

bool BmpFileRows::ReadBandHolding(int stored) {
  // The band runs in the direction the rows are asked for: down the file for top-down rows, up
  // it for bottom-up ones.
  first_ = layout_.bottomUp ? std::max(0, stored - bandRows_ + 1) : stored;
  count_ = std::min(bandRows_, layout_.height - first_);
  if (file_.Seek(bitsStart_ + uint64_t(first_) * layout_.rowBytes) &&
      file_.Read(band_, size_t(uint64_t(count_) * layout_.rowBytes)))
    return true;
  count_ = 0;
  return false;
}

const uint8_t* BmpFileRows::Row(int y) {
  const int stored = layout_.bottomUp ? layout_.height - 1 - y : y;
  if ((count_ == 0 || stored < first_ || stored >= first_ + count_) && !ReadBandHolding(stored)) return nullptr;
  uint8_t* out = band_ + uint64_t(bandRows_) * layout_.rowBytes + size_t(y & 1) * 3 * size_t(layout_.width);
  convert_(band_ + uint64_t(stored - first_) * layout_.rowBytes, out);
  return out;
}

}  // namespace ravelight
