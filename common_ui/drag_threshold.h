#pragma once
// Whether two points are close enough to count as the mouse standing still (or not yet dragging):
// at most the drag width apart horizontally and the drag height vertically.
bool WithinDragThreshold(int x1, int y1, int x2, int y2, int dragWidth, int dragHeight);

#ifdef _WIN32
#include <windows.h>
// With the system's drag rectangle (SM_CXDRAG, SM_CYDRAG).
bool WithinDragThreshold(POINT a, POINT b);
#endif
