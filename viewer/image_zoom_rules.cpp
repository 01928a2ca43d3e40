#include "image_zoom_rules.h"

#include <cstdint>

namespace {

// The ladder's upward step of one side of the ratio: 1, 2, 3, 4, 6, 8, and 8 stays.
int Grow(int side) {
  if (side < 4) return side + 1;
  if (side == 4) return 6;
  return 8;
}

// The downward step of one side: 8 to 6, 6 to 4, the rest by one (never below 1).
int Shrink(int side) {
  if (side == 8) return 6;
  if (side == 6) return 4;
  return side > 1 ? side - 1 : 1;
}

struct PercentRow {
  int above;  // the row holds percentages above this
  ZoomRatio ratio;
};

template <int N>
ZoomRatio FromTable(const PercentRow (&rows)[N], int percent, ZoomRatio lowest) {
  for (const PercentRow& row : rows)
    if (percent > row.above) return row.ratio;
  return lowest;
}

}  // namespace

ZoomRatio ZoomInStep(ZoomRatio ratio) {
  if (ratio.den == 1) return {Grow(ratio.num), 1};
  return {1, Shrink(ratio.den)};
}

ZoomRatio ZoomOutStep(ZoomRatio ratio) {
  if (ratio.num == 1) return {1, Grow(ratio.den)};
  return {Shrink(ratio.num), 1};
}

int ShownPercent(int shownWidth, int fileWidth) {
  if (fileWidth <= 0) return 0;
  return int(int64_t{shownWidth} * 100 / fileWidth);
}

ZoomRatio ZoomInFromPercent(int percent) {
  static const PercentRow rows[] = {{600, {8, 1}}, {399, {6, 1}}, {299, {4, 1}}, {199, {3, 1}},
                                    {99, {2, 1}},  {49, {1, 1}},  {32, {1, 2}},  {24, {1, 3}}};
  return FromTable(rows, percent, {1, 4});
}

ZoomRatio ZoomOutFromPercent(int percent) {
  static const PercentRow rows[] = {{600, {6, 1}}, {400, {4, 1}}, {300, {3, 1}}, {200, {2, 1}},
                                    {100, {1, 1}}, {50, {1, 2}},  {33, {1, 3}},  {25, {1, 4}}};
  return FromTable(rows, percent, {1, 8});
}

ZoomRatio NearestZoom(int percent) {
  static const PercentRow rows[] = {{700, {8, 1}}, {500, {6, 1}}, {350, {4, 1}}, {150, {2, 1}},
                                    {75, {1, 1}},  {40, {1, 2}},  {28, {1, 3}},  {20, {1, 4}}};
  return FromTable(rows, percent, {1, 8});
}
