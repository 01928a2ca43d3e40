#include "median_cut.h"

namespace ravelight {
namespace {

// Bounds are inclusive cell indices per axis: red, green, blue.
struct Box {
  int min[3];
  int max[3];
  int64_t volume;      // weighted squared diagonal
  int64_t colourCount; // occupied cells
};

constexpr int kShift[3] = {kRedShift, kGreenShift, kBlueShift};
constexpr int kWeight[3] = {kRedWeight, kGreenWeight, kBlueWeight};

int64_t WeightedSide(const Box& box, int axis) {
  return int64_t((box.max[axis] - box.min[axis]) << kShift[axis]) * kWeight[axis];
}

template <typename Visit>
void ForEachCell(const ColourHistogram& histogram, const Box& box, Visit&& visit) {
  for (int r = box.min[0]; r <= box.max[0]; ++r)
    for (int g = box.min[1]; g <= box.max[1]; ++g)
      for (int b = box.min[2]; b <= box.max[2]; ++b) visit(r, g, b, histogram.cells[r][g][b]);
}

// True when the plane of the box at position `at` along axis holds a counted cell.
bool PlaneOccupied(const ColourHistogram& histogram, const Box& box, int axis, int at) {
  Box plane = box;
  plane.min[axis] = plane.max[axis] = at;
  bool occupied = false;
  ForEachCell(histogram, plane, [&](int, int, int, uint16_t count) { occupied |= count != 0; });
  return occupied;
}

// Shrinks the box to its occupied cells, then measures it.
void UpdateBox(const ColourHistogram& histogram, Box& box) {
  for (int axis = 0; axis < 3; ++axis) {
    while (box.min[axis] < box.max[axis] && !PlaneOccupied(histogram, box, axis, box.min[axis])) ++box.min[axis];
    while (box.max[axis] > box.min[axis] && !PlaneOccupied(histogram, box, axis, box.max[axis])) --box.max[axis];
  }
  box.volume = 0;
  for (int axis = 0; axis < 3; ++axis) box.volume += WeightedSide(box, axis) * WeightedSide(box, axis);
  box.colourCount = 0;
  ForEachCell(histogram, box, [&](int, int, int, uint16_t count) { box.colourCount += count != 0; });
}

// The splittable box (one of some volume) with the most occupied cells, or the largest one.
Box* BoxToSplit(Box* boxes, int count, bool byPopulation) {
  Box* chosen = nullptr;
  int64_t best = 0;
  for (int i = 0; i < count; ++i) {
    const int64_t measure = byPopulation ? boxes[i].colourCount : boxes[i].volume;
    if (measure > best && boxes[i].volume > 0) {
      chosen = &boxes[i];
      best = measure;
    }
  }
  return chosen;
}

// The longest weighted side; ties go to green, then red, then blue.
int LongestAxis(const Box& box) {
  int axis = 1;
  int64_t longest = WeightedSide(box, 1);
  if (WeightedSide(box, 0) > longest) {
    axis = 0;
    longest = WeightedSide(box, 0);
  }
  if (WeightedSide(box, 2) > longest) axis = 2;
  return axis;
}

int SplitBoxes(const ColourHistogram& histogram, Box* boxes, int wanted) {
  int count = 1;
  while (count < wanted) {
    Box* box = BoxToSplit(boxes, count, 2 * count <= wanted);
    if (!box) break;
    Box& other = boxes[count];
    other = *box;
    const int axis = LongestAxis(*box);
    const int middle = (box->max[axis] + box->min[axis]) / 2;
    box->max[axis] = middle;
    other.min[axis] = middle + 1;
    UpdateBox(histogram, *box);
    UpdateBox(histogram, other);
    ++count;
  }
  return count;
}

// The count-weighted mean of the cell centres, rounded.
void MeanColour(const ColourHistogram& histogram, const Box& box, ColourMap& map, int entry) {
  int64_t total = 0;
  int64_t sum[3] = {0, 0, 0};
  ForEachCell(histogram, box, [&](int r, int g, int b, uint16_t count) {
    const int cell[3] = {r, g, b};
    total += count;
    for (int axis = 0; axis < 3; ++axis)
      sum[axis] += int64_t((cell[axis] << kShift[axis]) + ((1 << kShift[axis]) >> 1)) * count;
  });
  uint8_t* channel[3] = {map.red, map.green, map.blue};
  for (int axis = 0; axis < 3; ++axis) channel[axis][entry] = total ? uint8_t((sum[axis] + total / 2) / total) : 0;
}

}  // namespace

void MedianCut(const ColourHistogram& histogram, int wanted, ColourMap& map) {
  Box boxes[256];
  if (wanted < 1) wanted = 1;
  if (wanted > 256) wanted = 256;
  boxes[0] = Box{{0, 0, 0}, {kRedCells - 1, kGreenCells - 1, kBlueCells - 1}, 0, 0};
  UpdateBox(histogram, boxes[0]);
  map.count = SplitBoxes(histogram, boxes, wanted);
  for (int i = 0; i < map.count; ++i) MeanColour(histogram, boxes[i], map, i);
}

}  // namespace ravelight
