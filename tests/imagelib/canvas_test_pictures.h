#pragma once
// Small pictures with known pixels for the size and canvas operations, and checks that a
// picture's buffer, stride and header agree with its geometry.
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"

namespace canvas_pictures {

struct Pixel {
  int b, g, r;
  bool operator==(const Pixel& o) const { return b == o.b && g == o.g && r == o.r; }
};
std::ostream& operator<<(std::ostream& out, const Pixel& p);

// A usable width × height picture whose pixel at x, y is paint(x, y).
void Paint(Cimage& picture, int width, int height, const std::function<Pixel(int x, int y)>& paint);
// Every pixel the same.
void PaintConstant(Cimage& picture, int width, int height, Pixel colour);
// Rows of values, top row first; blue takes the value, green value + 1, red value + 2, so that
// exchanged channels show.
void PaintValues(Cimage& picture, int width, int height, const std::vector<int>& values);
// A pattern with different values in every channel, row and column.
void PaintPattern(Cimage& picture, int width, int height);

Pixel PixelAt(const Cimage& picture, int x, int y);
// "width x height" and "num/den", so that a size or scale is checked in one comparison.
std::string Size(int width, int height);
std::string SizeOf(const Cimage& picture);
std::string ScaleOf(const Cimage& picture);
// The blue channel of every pixel, top row first.
std::vector<int> BlueValues(const Cimage& picture);
// True when every pixel is the colour.
bool IsConstant(const Cimage& picture, Pixel colour);
// True when the pictures have the same size and pixels (padding bytes aside).
bool SamePixels(const Cimage& a, const Cimage& b);

// m_stride is (3 × width + 3) rounded down to a multiple of 4, the buffer holds exactly
// height × stride bytes where the allocator can say so, and (unless the operation leaves the
// header to its caller) m_bmi describes the pixels.
::testing::AssertionResult BufferInStep(const Cimage& picture, bool withHeader = true);

}  // namespace canvas_pictures
