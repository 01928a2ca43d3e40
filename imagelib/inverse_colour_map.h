#pragma once
// Nearest colour-map entry for any colour, worked out per histogram cell on first demand. A
// cell's neighbours are usually asked for soon after it, so a whole update box of 4 × 8 × 4
// cells is filled at once: first the map entries that can be nearest to anything in the box are
// listed, then each cell picks the nearest of those.
#include "colour_histogram.h"
#include "colour_quantizer.h"

namespace ravelight {

class InverseColourMap {
 public:
  // cells: zeroed on entry; afterwards 0 means not yet known, else the entry + 1. The map must
  // have at least one entry and both must outlive this object.
  InverseColourMap(ColourHistogram& cells, const ColourMap& map);

  int Nearest(int red, int green, int blue);

 private:
  void FillUpdateBox(int redCell, int greenCell, int blueCell);
  int ListCandidates(const int boxMin[3], uint8_t* candidates) const;
  void FindBest(const int boxMin[3], const uint8_t* candidates, int count, uint8_t* best) const;

  ColourHistogram& cells_;
  const ColourMap& map_;
};

}  // namespace ravelight
