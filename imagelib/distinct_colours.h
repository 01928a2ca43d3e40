#pragma once
// The distinct colours of a picture, counted up to a limit: a picture with no more colours than
// a palette holds can keep exactly its own.
#include <cstdint>

#include "colour_quantizer.h"

namespace ravelight {

class DistinctColours {
 public:
  // limit: 1..256.
  explicit DistinctColours(int limit);

  // rgb: red << 16 | green << 8 | blue. Once more than the limit are seen, nothing more is kept.
  void Add(uint32_t rgb);
  bool TooMany() const { return tooMany_; }
  int Count() const { return count_; }
  // The entry of a kept colour, or -1.
  int IndexOf(uint32_t rgb) const;
  // The kept colours in the order they were first seen.
  void CopyTo(ColourMap& map) const;

 private:
  static constexpr int kSlots = 1024;  // a power of two, at least four times the limit
  static constexpr uint32_t kEmpty = 0xFFFFFFFF;

  int SlotOf(uint32_t rgb) const;

  int limit_;
  int count_ = 0;
  bool tooMany_ = false;
  uint32_t last_ = kEmpty;
  uint32_t keys_[kSlots];
  uint8_t entries_[kSlots];
  uint32_t colours_[256];
};

}  // namespace ravelight
