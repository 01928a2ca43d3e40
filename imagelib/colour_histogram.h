#pragma once
// The colour space of the two-pass quantizer, cut into 32 × 64 × 32 cells over red, green and
// blue (green finer, as the eye tells greens apart best). The cells first count the pixels of
// a picture, then hold the nearest colour-map entry of each cell once it is known.
#include <cstdint>

namespace ravelight {

constexpr int kRedShift = 3;
constexpr int kGreenShift = 2;
constexpr int kBlueShift = 3;
constexpr int kRedCells = 256 >> kRedShift;
constexpr int kGreenCells = 256 >> kGreenShift;
constexpr int kBlueCells = 256 >> kBlueShift;

// Distances in colour space weigh red 2, green 3, blue 1.
constexpr int kRedWeight = 2;
constexpr int kGreenWeight = 3;
constexpr int kBlueWeight = 1;

struct ColourHistogram {
  uint16_t cells[kRedCells][kGreenCells][kBlueCells];
};

}  // namespace ravelight
