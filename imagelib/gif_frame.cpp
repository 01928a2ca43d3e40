#include "gif_frame.h"

#include <algorithm>
#include <cstdlib>

#include "gif_lzw.h"
#include "gif_sub_blocks.h"

namespace {

struct RowPass {
  int first;
  int step;
};

constexpr RowPass kInterlacedRows[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

// Real frames decode in a handful of steps; the buffer doubles from here as data keeps coming.
constexpr size_t kFirstBufferSize = size_t{1} << 16;

bool Grow(CGifFrame& frame, size_t& capacity, size_t pixels) {
  const size_t wanted = std::min(pixels, capacity ? 2 * capacity : kFirstBufferSize);
  auto* grown = static_cast<uint8_t*>(std::realloc(frame.indices, wanted));
  if (!grown) return false;
  frame.indices = grown;
  capacity = wanted;
  return true;
}

bool DecodeIndices(ravelight::GifLzwDecoder& lzw, ravelight::GifSubBlocks& data, CGifFrame& frame) {
  const size_t pixels = size_t(frame.width) * size_t(frame.height);
  size_t capacity = 0;
  while (frame.decoded < pixels) {
    if (frame.decoded == capacity && !Grow(frame, capacity, pixels)) return false;
    const size_t asked = capacity - frame.decoded;
    const size_t got = lzw.Decode(data, frame.indices + frame.decoded, asked);
    frame.decoded += got;
    if (got < asked) break;
  }
  return true;
}

}  // namespace

CGifFrame::~CGifFrame() {
  std::free(indices);
  // Iteratively, so a long animation cannot exhaust the stack.
  CGifFrame* rest = next;
  while (rest) {
    CGifFrame* after = rest->next;
    rest->next = nullptr;
    delete rest;
    rest = after;
  }
}

namespace ravelight {

bool ReadGifImageData(FILE* stream, CGifFrame& frame) {
  const int minCodeSize = std::getc(stream);
  if (minCodeSize == EOF) return true;
  GifLzwDecoder lzw;
  if (!lzw.Start(minCodeSize)) return false;
  GifSubBlocks data(stream);
  if (!DecodeIndices(lzw, data, frame)) return false;
  data.SkipRest();
  return true;
}

int GifFrameRowSent(const CGifFrame& frame, int sent) {
  if (!frame.interlaced) return sent;
  for (const RowPass& pass : kInterlacedRows) {
    const int rows = pass.first < frame.height ? (frame.height - pass.first + pass.step - 1) / pass.step : 0;
    if (sent < rows) return pass.first + sent * pass.step;
    sent -= rows;
  }
  return frame.height;  // beyond the last row: not a row of the frame
}

}  // namespace ravelight
