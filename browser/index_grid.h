#pragma once
// The grid an index image of n pictures starts with: the first of a fixed series of growing
// grids that holds them all, or the largest one (15 x 10) for more.
struct IndexGrid {
  int columns;
  int rows;
};

IndexGrid IndexGridFor(int images);
