#pragma once
// Choosing a colour map for the counted cells of a picture by median cut.
#include "colour_histogram.h"
#include "colour_quantizer.h"

namespace ravelight {

// Fills map with at most wanted colours (1..256): boxes of cells are split until there are
// enough or none can be split, and each box gives the count-weighted mean of its cells.
void MedianCut(const ColourHistogram& histogram, int wanted, ColourMap& map);

}  // namespace ravelight
