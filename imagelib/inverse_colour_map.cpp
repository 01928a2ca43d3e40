#include "inverse_colour_map.h"

#include <cstdint>

namespace ravelight {
namespace {

// An update box spans 2^kBoxLog cells per axis: 4 red, 8 green, 4 blue.
constexpr int kBoxLog[3] = {2, 3, 2};
constexpr int kBoxCells[3] = {1 << kBoxLog[0], 1 << kBoxLog[1], 1 << kBoxLog[2]};
constexpr int kCellsPerBox = kBoxCells[0] * kBoxCells[1] * kBoxCells[2];
constexpr int kShift[3] = {kRedShift, kGreenShift, kBlueShift};
constexpr int kWeight[3] = {kRedWeight, kGreenWeight, kBlueWeight};
// Weighted distance from one cell centre to the next along each axis.
constexpr int kStep[3] = {(1 << kRedShift) * kRedWeight, (1 << kGreenShift) * kGreenWeight,
                          (1 << kBlueShift) * kBlueWeight};

int Component(const ColourMap& map, int entry, int axis) {
  const uint8_t* channel[3] = {map.red, map.green, map.blue};
  return channel[axis][entry];
}

int32_t Square(int32_t v) { return v * v; }

}  // namespace

InverseColourMap::InverseColourMap(ColourHistogram& cells, const ColourMap& map) : cells_(cells), map_(map) {}

int InverseColourMap::Nearest(int red, int green, int blue) {
  const int r = red >> kRedShift, g = green >> kGreenShift, b = blue >> kBlueShift;
  uint16_t& cell = cells_.cells[r][g][b];
  if (cell == 0) FillUpdateBox(r, g, b);
  return cell - 1;
}

void InverseColourMap::FillUpdateBox(int redCell, int greenCell, int blueCell) {
  const int cell[3] = {redCell, greenCell, blueCell};
  int first[3];   // first cell of the update box
  int boxMin[3];  // centre of that cell in 8-bit units
  for (int axis = 0; axis < 3; ++axis) {
    first[axis] = (cell[axis] >> kBoxLog[axis]) << kBoxLog[axis];
    boxMin[axis] = (first[axis] << kShift[axis]) + ((1 << kShift[axis]) >> 1);
  }
  uint8_t candidates[256];
  const int count = ListCandidates(boxMin, candidates);
  uint8_t best[kCellsPerBox];
  FindBest(boxMin, candidates, count, best);
  const uint8_t* next = best;
  for (int r = 0; r < kBoxCells[0]; ++r)
    for (int g = 0; g < kBoxCells[1]; ++g)
      for (int b = 0; b < kBoxCells[2]; ++b)
        cells_.cells[first[0] + r][first[1] + g][first[2] + b] = uint16_t(*next++ + 1);
}

// An entry can be nearest to some cell of the box only when its least distance to the box is
// no more than the smallest greatest distance of any entry.
int InverseColourMap::ListCandidates(const int boxMin[3], uint8_t* candidates) const {
  int32_t minDist[256];
  int32_t minMaxDist = INT32_MAX;
  for (int i = 0; i < map_.count; ++i) {
    int32_t least = 0, greatest = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const int lo = boxMin[axis];
      const int hi = lo + (1 << (kShift[axis] + kBoxLog[axis])) - (1 << kShift[axis]);
      const int centre = (lo + hi) >> 1;
      const int x = Component(map_, i, axis);
      const int w = kWeight[axis];
      if (x < lo) {
        least += Square((x - lo) * w);
        greatest += Square((x - hi) * w);
      } else if (x > hi) {
        least += Square((x - hi) * w);
        greatest += Square((x - lo) * w);
      } else {
        greatest += Square((x <= centre ? x - hi : x - lo) * w);
      }
    }
    minDist[i] = least;
    if (greatest < minMaxDist) minMaxDist = greatest;
  }
  int count = 0;
  for (int i = 0; i < map_.count; ++i)
    if (minDist[i] <= minMaxDist) candidates[count++] = uint8_t(i);
  return count;
}

// Distances to the cells of the box grow by steps that themselves grow evenly, so each
// candidate's distance to every cell comes from additions alone.
void InverseColourMap::FindBest(const int boxMin[3], const uint8_t* candidates, int count, uint8_t* best) const {
  int32_t bestDist[kCellsPerBox];
  for (int32_t& d : bestDist) d = INT32_MAX;
  for (int c = 0; c < count; ++c) {
    const int entry = candidates[c];
    int32_t inc[3];
    int32_t dist0 = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const int32_t offset = (boxMin[axis] - Component(map_, entry, axis)) * kWeight[axis];
      dist0 += offset * offset;
      inc[axis] = offset * (2 * kStep[axis]) + kStep[axis] * kStep[axis];
    }
    int index = 0;
    int32_t xx0 = inc[0];
    for (int r = 0; r < kBoxCells[0]; ++r) {
      int32_t dist1 = dist0, xx1 = inc[1];
      for (int g = 0; g < kBoxCells[1]; ++g) {
        int32_t dist2 = dist1, xx2 = inc[2];
        for (int b = 0; b < kBoxCells[2]; ++b, ++index) {
          if (dist2 < bestDist[index]) {
            bestDist[index] = dist2;
            best[index] = uint8_t(entry);
          }
          dist2 += xx2;
          xx2 += 2 * kStep[2] * kStep[2];
        }
        dist1 += xx1;
        xx1 += 2 * kStep[1] * kStep[1];
      }
      dist0 += xx0;
      xx0 += 2 * kStep[0] * kStep[0];
    }
  }
}

}  // namespace ravelight
