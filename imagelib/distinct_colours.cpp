#include "distinct_colours.h"

namespace ravelight {

DistinctColours::DistinctColours(int limit) : limit_(limit < 1 ? 1 : limit > 256 ? 256 : limit) {
  for (uint32_t& key : keys_) key = kEmpty;
}

// Open addressing with linear probing; the table never fills, so a probe always ends.
int DistinctColours::SlotOf(uint32_t rgb) const {
  int slot = int((rgb * 2654435761u) >> 22) & (kSlots - 1);
  while (keys_[slot] != kEmpty && keys_[slot] != rgb) slot = (slot + 1) & (kSlots - 1);
  return slot;
}

void DistinctColours::Add(uint32_t rgb) {
  if (tooMany_ || rgb == last_) return;
  last_ = rgb;
  const int slot = SlotOf(rgb);
  if (keys_[slot] == rgb) return;
  if (count_ == limit_) {
    tooMany_ = true;
    return;
  }
  keys_[slot] = rgb;
  entries_[slot] = uint8_t(count_);
  colours_[count_++] = rgb;
}

int DistinctColours::IndexOf(uint32_t rgb) const {
  const int slot = SlotOf(rgb);
  return keys_[slot] == rgb ? entries_[slot] : -1;
}

void DistinctColours::CopyTo(ColourMap& map) const {
  map.count = count_;
  for (int i = 0; i < count_; ++i) {
    map.red[i] = uint8_t(colours_[i] >> 16);
    map.green[i] = uint8_t(colours_[i] >> 8);
    map.blue[i] = uint8_t(colours_[i]);
  }
}

}  // namespace ravelight
