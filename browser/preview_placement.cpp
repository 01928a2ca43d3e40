#include "preview_placement.h"

#include <algorithm>

namespace {

using Coordinate = decltype(tagRECT::left);

// One axis: the span's length kept within the minimum and the room, then its start pulled inside.
void FitSpan(Coordinate& start, Coordinate& end, Coordinate roomStart, Coordinate roomEnd) {
  const Coordinate room = std::max<Coordinate>(roomEnd - roomStart, 0);
  const Coordinate length = std::min<Coordinate>(std::max<Coordinate>(end - start, kPreviewMinimumSide), room);
  start = std::max(roomStart, std::min(start, roomEnd - length));
  end = start + length;
}

}  // namespace

CRect PlacePreviewOnArea(const CRect& window, const CRect& workArea) {
  CRect placed = window;
  FitSpan(placed.left, placed.right, workArea.left, workArea.right);
  FitSpan(placed.top, placed.bottom, workArea.top, workArea.bottom);
  return placed;
}
