#pragma once
// The fit at any ratio: halvings, then bilinear interpolation, in one pass over the picture.
#include <cstdint>

#include "Cimage.h"
#include "fit_plan.h"

namespace ravelight {

// Rows of blue, green, red pixels handed out top to bottom: asked for in increasing order (rows
// may be skipped), each valid until the row after the next is asked for. A decoder can serve them
// as it reads, so that a picture is fitted into a box without ever being held whole.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Null when the rows could not be had (a damaged file).
  virtual const uint8_t* Row(int y) = 0;
};


// Replaces the picture's pixels by the picture halved `halvings` times (as the 1/2 filter would,
// step after step) and then resampled bilinearly to width × height: along the rows first, then
// down the columns, each pass truncating. The halved pictures are never held whole: their rows are
// made as the bilinear pass needs them. False, with the picture as it was, when memory ran out.
bool HalveAndFit(Cimage& picture, int halvings, int width, int height);

// The same from rows as they arrive: the picture becomes what HalveAndFit would make of the
// picture the rows form. False when memory ran out (the picture as it was) or a row did (the
// picture then holds what was made so far, for the caller to throw away).
bool HalveAndFitRows(Cimage& picture, RowSource& rows, int halvings, int width, int height);

}  // namespace ravelight
