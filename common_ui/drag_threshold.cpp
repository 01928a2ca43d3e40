#include "drag_threshold.h"

#include <cstdlib>

bool WithinDragThreshold(int x1, int y1, int x2, int y2, int dragWidth, int dragHeight) {
  return std::abs(x1 - x2) <= dragWidth && std::abs(y1 - y2) <= dragHeight;
}
