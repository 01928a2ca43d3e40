#pragma once
// Where a smaller picture goes on a larger one along one axis.
namespace ravelight {

// 0 at the start, 1 centred, any other value at the end; extent is the larger picture's side,
// size the smaller one's.
inline int PlaceAlong(int code, int extent, int size) {
  if (code == 0) return 0;
  return code == 1 ? (extent - size) / 2 : extent - size;
}

}  // namespace ravelight
