#include "full_screen_placement.h"

#include <algorithm>
#include <cstdint>

int CentredOffset(int screen, int picture) { return static_cast<int>((int64_t{screen} - picture) / 2); }

int DraggedOffset(int offset, int movement, int screen, int picture) {
  const int64_t slack = int64_t{screen} - picture;  // negative when the picture is larger
  const int64_t low = std::min<int64_t>(slack, 0);
  const int64_t high = std::max<int64_t>(slack, 0);
  return static_cast<int>(std::clamp(int64_t{offset} + movement, low, high));
}
