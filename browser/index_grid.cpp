#include "index_grid.h"

namespace {

constexpr IndexGrid kGrids[] = {{1, 1},  {2, 1},  {2, 2},   {3, 2},   {4, 2},   {4, 3},  {5, 3},  {5, 4},
                                {6, 4},  {7, 4},  {8, 4},   {8, 5},   {9, 5},   {9, 6},  {10, 6}, {10, 7},
                                {11, 7}, {11, 8}, {12, 8},  {12, 9},  {13, 9},  {14, 9}, {14, 10}, {15, 10}};

}  // namespace

IndexGrid IndexGridFor(int images) {
  for (const IndexGrid& grid : kGrids)
    if (grid.columns * grid.rows >= images) return grid;
  return kGrids[sizeof kGrids / sizeof kGrids[0] - 1];
}
