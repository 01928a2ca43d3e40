#include "gif_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

size_t CanvasBytes(const Cimage& picture) { return size_t(picture.m_stride) * size_t(picture.m_height); }

// The part of a frame's rectangle that lies on the canvas, in frame coordinates.
struct Visible {
  int width;
  int height;
};

Visible VisiblePart(const Cimage& picture, const CGifFrame& frame) {
  return {std::max(0, std::min(frame.width, picture.m_width - frame.left)),
          std::max(0, std::min(frame.height, picture.m_height - frame.top))};
}

uint8_t* CanvasAt(Cimage& picture, int x, int y) {
  return picture.m_pixels + size_t(y) * size_t(picture.m_stride) + 3 * size_t(x);
}

void FillWithBackground(Cimage& picture, int left, int top, int width, int height) {
  if (width <= 0) return;
  for (int y = top; y < top + height; ++y) {
    uint8_t* out = CanvasAt(picture, left, y);
    for (int x = 0; x < width; ++x, out += 3) {
      out[0] = picture.m_bgB;
      out[1] = picture.m_bgG;
      out[2] = picture.m_bgR;
    }
  }
}

// Pixels whose index is transparent, or lies beyond the colour table (also when the file gave
// no table at all), leave the canvas as it was: the background, or what earlier frames drew.
void DrawFrame(Cimage& picture, const GifColourTable& table, const CGifFrame& frame) {
  if (!frame.indices) return;
  const Visible visible = VisiblePart(picture, frame);
  if (visible.width == 0) return;
  const int transparent = frame.control.HasTransparency() ? frame.control.transparentIndex : -1;
  for (int y = 0; y < visible.height; ++y) {
    const uint8_t* in = frame.indices + size_t(y) * size_t(frame.width);
    uint8_t* out = CanvasAt(picture, frame.left, frame.top + y);
    for (int x = 0; x < visible.width; ++x, out += 3) {
      const int index = in[x];
      if (index == transparent || index >= table.size) continue;
      const uint32_t rgb = table.entries[index];
      out[0] = uint8_t(rgb >> 16);
      out[1] = uint8_t(rgb >> 8);
      out[2] = uint8_t(rgb);
    }
  }
}

// The canvas before a frame that is to be undone. Without memory for the copy the frame simply
// stays, as with no disposal.
void KeepCanvas(Cimage& picture) {
  if (!picture.m_frameBuf) picture.m_frameBuf = static_cast<uint8_t*>(std::malloc(CanvasBytes(picture)));
  if (picture.m_frameBuf) std::memcpy(picture.m_frameBuf, picture.m_pixels, CanvasBytes(picture));
}

}  // namespace

namespace ravelight {

void FillGifCanvas(Cimage& picture) { FillWithBackground(picture, 0, 0, picture.m_width, picture.m_height); }

void ShowGifFrame(Cimage& picture, const CGifDecoder& gif, const CGifFrame& frame) {
  if (frame.control.Disposal() == kDisposeToPrevious) KeepCanvas(picture);
  DrawFrame(picture, gif.TableOf(frame), frame);
}

void DisposeGifFrame(Cimage& picture, const CGifFrame& frame) {
  switch (frame.control.Disposal()) {
    case kDisposeToBackground: {
      const Visible visible = VisiblePart(picture, frame);
      FillWithBackground(picture, frame.left, frame.top, visible.width, visible.height);
      break;
    }
    case kDisposeToPrevious:
      if (picture.m_frameBuf) std::memcpy(picture.m_pixels, picture.m_frameBuf, CanvasBytes(picture));
      break;
    default:
      break;
  }
}

}  // namespace ravelight
