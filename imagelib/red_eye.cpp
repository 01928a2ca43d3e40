// Red-eye repair around a point the user clicked: the red pupil found there gets the darkness of
// its blue channel. Everything happens inside a 20 × 20 window that must lie inside the picture.
#include <array>
#include <cstdint>

#include "Cimage.h"
#include "picture_buffer.h"
#include "pixel_walk.h"

namespace {

constexpr int kBefore = 10;  // the window runs from the point − 10 to the point + 9
constexpr int kSide = 20;
constexpr int kMargin = 11;  // how far the point must be from every edge
constexpr int kSeedReach = 2;

// Cells of the window, [row][column], row 0 at the point's row − 10.
using Cells = std::array<std::array<bool, kSide>, kSide>;

bool LooksRed(const uint8_t* p) {
  const int b = p[0], g = p[1], r = p[2];
  return (r > 80 && r > 3 * g / 2 && r > 4 * b / 3) || (r > 190 && g < 140 && b < 140) ||
         (r > 210 && g < 155 && b < 165) || (r > 150 && g < 110 && b < 110) ||
         (r > 230 && (g > 140 || b > 140));
}

bool Marked(const Cells& cells, int row, int column) {
  return row >= 0 && row < kSide && column >= 0 && column < kSide && cells[row][column];
}

// A cell survives only when its whole 3 × 3 neighbourhood, inside the window, is marked: this
// drops thin red lines such as veins and keeps the solid pupil.
Cells Erode(const Cells& red) {
  Cells core{};
  for (int row = 0; row < kSide; ++row)
    for (int column = 0; column < kSide; ++column) {
      bool all = true;
      for (int dr = -1; dr <= 1 && all; ++dr)
        for (int dc = -1; dc <= 1 && all; ++dc) all = Marked(red, row + dr, column + dc);
      core[row][column] = all;
    }
  return core;
}

// The mean row and column of the marked cells relative to the point, as integer divisions that
// truncate toward zero; the point itself when nothing is marked.
void Centroid(const Cells& cells, int& row, int& column) {
  int count = 0, rowSum = 0, columnSum = 0;
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c)
      if (cells[r][c]) {
        ++count;
        rowSum += r - kBefore;
        columnSum += c - kBefore;
      }
  row = count ? rowSum / count : 0;
  column = count ? columnSum / count : 0;
}

// Starts from the red cells of the 5 × 5 block around the centre (the part of it inside the
// window) and takes in every red cell connected to them.
Cells GrowFrom(const Cells& red, int centreRow, int centreColumn) {
  Cells pupil{};
  // Each cell joins once, so the window's size bounds the cells still to visit.
  std::array<std::array<int, 2>, kSide * kSide> pending;
  int count = 0;
  auto take = [&](int row, int column) {
    if (!Marked(red, row, column) || pupil[row][column]) return;
    pupil[row][column] = true;
    pending[count++] = {row, column};
  };
  for (int dr = -kSeedReach; dr <= kSeedReach; ++dr)
    for (int dc = -kSeedReach; dc <= kSeedReach; ++dc) take(centreRow + dr, centreColumn + dc);
  while (count > 0) {
    const auto [row, column] = pending[--count];
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc) take(row + dr, column + dc);
  }
  return pupil;
}

}  // namespace

// The radius is part of the interface but the pupil is found by its colour alone.
void Cimage::FixRedEye(CPoint centre, int /*radius*/) {
  if (!ravelight::IsUsable(*this)) return;
  if (centre.x < kMargin || centre.x > m_width - kMargin || centre.y < kMargin ||
      centre.y > m_height - kMargin)
    return;
  const int top = centre.y - kBefore, left = centre.x - kBefore;
  auto pixel = [&](int row, int column) {
    return ravelight::PixelRow(*this, top + row) + 3 * (left + column);
  };

  Cells red{};
  for (int row = 0; row < kSide; ++row)
    for (int column = 0; column < kSide; ++column) red[row][column] = LooksRed(pixel(row, column));
  int centreRow, centreColumn;
  Centroid(Erode(red), centreRow, centreColumn);
  const Cells pupil = GrowFrom(red, centreRow + kBefore, centreColumn + kBefore);

  ravelight::DropDisplayCopy(*this);
  for (int row = 0; row < kSide; ++row)
    for (int column = 0; column < kSide; ++column)
      if (pupil[row][column]) {
        uint8_t* p = pixel(row, column);
        p[1] = p[2] = p[0];
      }
}
