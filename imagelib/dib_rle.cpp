// Run-length compressed DIBs (RLE8 and RLE4), stored bottom-up. Pixels the data skips (by a delta
// or an early end of line or bitmap) stay black. Runs and deltas that reach past the right edge
// are cut there and moves past the top end the picture, so no count in the data can write outside
// it; data that ends before the picture does is a truncated file.
#include <algorithm>
#include <cstring>

#include "dib_decoders.h"

namespace ravelight {

namespace {

enum : uint8_t { kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2 };

class RunDecoder {
 public:
  RunDecoder(const DibLayout& layout, const uint8_t* data, size_t size, const DibPalette& palette,
             Cimage& picture)
      : nibbles_(layout.coding == DibCoding::Rle4), data_(data), size_(size), palette_(palette),
        picture_(picture) {}

  bool Run() {
    std::memset(picture_.m_pixels, 0, size_t(picture_.m_stride) * size_t(picture_.m_height));
    while (row_ < picture_.m_height) {
      if (size_ - at_ < 2) return LastRowFilled();
      const uint8_t count = data_[at_++];
      const uint8_t value = data_[at_++];
      if (count) {
        Repeat(count, value);
        continue;
      }
      switch (value) {
        case kEndOfLine: column_ = 0; ++row_; break;
        case kEndOfBitmap: return true;
        case kDelta:
          if (size_ - at_ < 2) return false;
          column_ = std::min(column_ + data_[at_], picture_.m_width);
          row_ += data_[at_ + 1];
          at_ += 2;
          break;
        default:
          if (!Literal(value)) return false;
      }
    }
    return true;
  }

 private:
  // A run is one index, or in RLE4 two that alternate, starting with the high nibble.
  void Repeat(int count, uint8_t value) {
    for (int i = 0; i < count && column_ < picture_.m_width; ++i)
      Put(nibbles_ ? (i % 2 ? value & 0x0F : value >> 4) : value);
  }

  // A literal run of count indices, padded to a 16-bit boundary.
  bool Literal(int count) {
    const size_t bytes = nibbles_ ? size_t(count + 1) / 2 : size_t(count);
    const size_t padded = (bytes + 1) & ~size_t{1};
    if (size_ - at_ < padded) return false;
    const uint8_t* in = data_ + at_;
    for (int i = 0; i < count && column_ < picture_.m_width; ++i)
      Put(nibbles_ ? (i % 2 ? in[i / 2] & 0x0F : in[i / 2] >> 4) : in[i]);
    at_ += padded;
    return true;
  }

  void Put(int index) {
    const int y = picture_.m_height - 1 - row_;
    std::memcpy(picture_.m_pixels + size_t(y) * size_t(picture_.m_stride) + 3 * size_t(column_),
                palette_.bgr[index], 3);
    ++column_;
  }

  // Data that stops without an end-of-bitmap mark is whole only when the last row is complete.
  bool LastRowFilled() const { return row_ == picture_.m_height - 1 && column_ >= picture_.m_width; }

  const bool nibbles_;
  const uint8_t* const data_;
  const size_t size_;
  size_t at_ = 0;
  const DibPalette& palette_;
  Cimage& picture_;
  int column_ = 0;
  int row_ = 0;  // counted from the bottom, as the data is stored
};

}  // namespace

bool DecodeDibRuns(const DibLayout& layout, const uint8_t* dib, size_t size, const DibPalette& palette,
                   Cimage& picture) {
  const size_t start = size_t(layout.BitsOffset());
  return RunDecoder(layout, dib + start, size - start, palette, picture).Run();
}

}  // namespace ravelight
