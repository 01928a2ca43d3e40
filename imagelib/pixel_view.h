#pragma once
// Rectangles of pixels read from one picture and written into another: the common ground of the
// size and canvas operations.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "picture_buffer.h"

namespace ravelight {

// A rectangle of blue, green, red pixels inside some picture's buffer; it owns nothing.
struct PixelView {
  const uint8_t* pixels;
  int width;
  int height;
  int stride;

  const uint8_t* Row(int y) const { return pixels + size_t(y) * size_t(stride); }
};

PixelView ViewOf(const Cimage& picture);
// The part of the view at x, y of width × height; the caller has clipped it to the view.
PixelView SubView(const PixelView& view, int x, int y, int width, int height);

// Normalises r and cuts it to a width × height picture; false when nothing is left.
bool ClipToPicture(CRect& r, int width, int height);

struct Bgr {
  uint8_t b, g, r;
};
// Windows' packing, red in the low byte.
Bgr FromColorRef(unsigned colour);
// The library's other packing, red in bits 16-23.
Bgr FromRgbHigh(unsigned colour);

void Fill(Cimage& picture, Bgr colour);
// Copies the view into the picture with its top-left corner at x, y, leaving out what falls
// outside the picture. The view may lie in the picture's own buffer.
void Place(Cimage& picture, int64_t x, int64_t y, const PixelView& from);

// Gives the picture a fresh width × height buffer and calls write(picture) while the old pixels
// are still alive, so a view of them taken before stays readable; then frees them. False, with
// the picture as it was, when the buffer cannot be had.
template <typename Write>
bool ReplacePixels(Cimage& picture, int width, int height, Write write) {
  uint8_t* old = picture.m_pixels;
  picture.m_pixels = nullptr;
  if (!AttachNewPixels(picture, width, height)) {
    picture.m_pixels = old;
    return false;
  }
  write(picture);
  std::free(old);
  return true;
}

// Everything the picture held gives way to a picture built aside, which counts as freshly loaded
// from a file of origWidth × origHeight. Without pixels in built the picture becomes a failed
// load, and the answer is false.
bool TakeOver(Cimage& picture, Cimage& built, int components, int origWidth, int origHeight);

}  // namespace ravelight
