#include "colour_grid.h"

#include "clamp_to_byte.h"

namespace ravelight {

unsigned InterpolateColourGrid(const uint8_t* planes, int points, int axes, const uint8_t* values) {
  const int lastCell = points - 1;
  int cell[kMaxGridAxes], fraction[kMaxGridAxes], stride[kMaxGridAxes];
  int base = 0, planeSize = 1;
  for (int a = 0; a < axes; ++a, planeSize *= points) {
    cell[a] = values[a] * lastCell / 255;
    fraction[a] = values[a] * lastCell % 255;
    stride[a] = planeSize;
    base += cell[a] * planeSize;
  }
  unsigned packed = 0;
  for (int ch = 0; ch < 3; ++ch) {
    const uint8_t* plane = planes + ch * planeSize;
    const int g0 = plane[base];
    int sum = g0 * 255;
    for (int a = 0; a < axes; ++a)
      if (cell[a] < lastCell) sum += (plane[base + stride[a]] - g0) * fraction[a];
    packed |= unsigned(ClampToByte(sum / 255)) << (8 * ch);
  }
  return packed;
}

}  // namespace ravelight
