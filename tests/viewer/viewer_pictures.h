#pragma once
// The real photograph the image windows' tests show (a flower, from Debian's libjxl-testdata),
// and pictures compared by their pixels.
#include <string>

#include "Cimage.h"

// The photograph's path as the program under test names it; empty when the package is missing.
std::string FlowerPhotoPath();

// Same size and the same bytes in every pixel (row padding aside).
bool SamePixels(const Cimage& a, const Cimage& b);

// The largest difference of any colour byte between a picture and a same-sized area of another
// whose top left corner is (x, y); 256 when the area does not fit.
int LargestDifference(const Cimage& picture, const Cimage& larger, int x, int y);
