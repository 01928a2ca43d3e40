#include "gif_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gif_frame.h"
#include "pixel_view.h"

namespace {

constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

size_t CanvasBytes(const Cimage& picture) { return size_t(picture.m_stride) * size_t(picture.m_height); }

uint8_t* CanvasAt(Cimage& picture, int x, int y) {
  return picture.m_pixels + size_t(y) * size_t(picture.m_stride) + 3 * size_t(x);
}

using ravelight::Bgr;

void FillPixels(uint8_t* out, size_t count, Bgr colour) {
  for (size_t i = 0; i < count; ++i, out += 3) {
    out[0] = colour.b;
    out[1] = colour.g;
    out[2] = colour.r;
  }
}

// The part of a frame's rectangle that lies on the canvas, in frame coordinates.
struct Visible {
  int width;
  int height;
};

Visible VisiblePart(const Cimage& picture, const CGifFrame& frame) {
  return {std::max(0, std::min(frame.width, picture.m_width - frame.left)),
          std::max(0, std::min(frame.height, picture.m_height - frame.top))};
}

// One colour over a rectangle of the canvas: the first row pixel by pixel, the others copied
// from it, so that even the largest canvas fills at the speed of memory.
void FillRectangle(Cimage& picture, int left, int top, int width, int height, Bgr colour) {
  if (width <= 0 || height <= 0) return;
  const uint8_t* first = CanvasAt(picture, left, top);
  FillPixels(CanvasAt(picture, left, top), size_t(width), colour);
  for (int y = top + 1; y < top + height; ++y) std::memcpy(CanvasAt(picture, left, y), first, 3 * size_t(width));
}

// How one frame's indices become canvas pixels. Transparent indices, and indices beyond the
// colour table (also when the file gave no table at all), leave the canvas as it was: the
// background, or what earlier frames drew.
class FramePainter {
 public:
  FramePainter(const GifColourTable& table, const CGifFrame& frame)
      : table_(table), transparent_(frame.control.HasTransparency() ? frame.control.transparentIndex : -1) {}

  void Indices(uint8_t* out, const uint8_t* in, size_t count) const {
    for (size_t x = 0; x < count; ++x, out += 3) {
      const int index = in[x];
      if (!Drawn(index)) continue;
      const uint32_t rgb = table_.entries[index];
      out[0] = uint8_t(rgb >> 16);
      out[1] = uint8_t(rgb >> 8);
      out[2] = uint8_t(rgb);
    }
  }

  // Pixels the data never reached: index 0. A row wholly of them is copied from the first such
  // row, so a few bytes claiming a huge frame cost no more than memory speed.
  void Missing(uint8_t* out, size_t from, size_t width) {
    if (!Drawn(0)) return;
    if (from == 0 && missingRow_) {
      std::memcpy(out, missingRow_, 3 * width);
      return;
    }
    FillPixels(out + 3 * from, width - from, ravelight::FromColorRef(table_.entries[0]));
    if (from == 0) missingRow_ = out;
  }

 private:
  bool Drawn(int index) const { return index != transparent_ && index < table_.size; }

  const GifColourTable& table_;
  const int transparent_;
  const uint8_t* missingRow_ = nullptr;
};

void DrawFrame(Cimage& picture, const GifColourTable& table, const CGifFrame& frame) {
  const Visible visible = VisiblePart(picture, frame);
  if (visible.width == 0) return;
  FramePainter painter(table, frame);
  const size_t width = size_t(frame.width);
  for (int sent = 0; sent < frame.height; ++sent) {
    const int y = ravelight::GifFrameRowSent(frame, sent);
    if (y >= visible.height) continue;
    uint8_t* out = CanvasAt(picture, frame.left, frame.top + y);
    const size_t start = size_t(sent) * width;
    const size_t known = start < frame.decoded ? std::min(size_t(visible.width), frame.decoded - start) : 0;
    if (known > 0) painter.Indices(out, frame.indices + start, known);
    if (known < size_t(visible.width)) painter.Missing(out, known, size_t(visible.width));
  }
}

// The canvas before a frame that is to be undone. Without memory for the copy the frame simply
// stays, as with no disposal.
void KeepCanvas(Cimage& picture) {
  if (!picture.m_frameBuf) picture.m_frameBuf = static_cast<uint8_t*>(std::malloc(CanvasBytes(picture)));
  if (picture.m_frameBuf) std::memcpy(picture.m_frameBuf, picture.m_pixels, CanvasBytes(picture));
}

Bgr Background(const Cimage& picture) { return {picture.m_bgB, picture.m_bgG, picture.m_bgR}; }

}  // namespace

namespace ravelight {

void FillGifCanvas(Cimage& picture) {
  FillRectangle(picture, 0, 0, picture.m_width, picture.m_height, Background(picture));
}

void ShowGifFrame(Cimage& picture, const CGifDecoder& gif, const CGifFrame& frame) {
  if (frame.control.Disposal() == kDisposeToPrevious) KeepCanvas(picture);
  DrawFrame(picture, gif.TableOf(frame), frame);
}

void DisposeGifFrame(Cimage& picture, const CGifFrame& frame) {
  switch (frame.control.Disposal()) {
    case kDisposeToBackground: {
      const Visible visible = VisiblePart(picture, frame);
      FillRectangle(picture, frame.left, frame.top, visible.width, visible.height, Background(picture));
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
