#include "drag_threshold.h"

bool WithinDragThreshold(POINT a, POINT b) {
  return WithinDragThreshold(a.x, a.y, b.x, b.y, ::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
}
