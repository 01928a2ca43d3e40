#include "gif_frame.h"

#include <cstdlib>

#include "gif_lzw.h"
#include "gif_sub_blocks.h"

namespace {

struct RowPass {
  int first;
  int step;
};

constexpr RowPass kSequentialRows[] = {{0, 1}};
constexpr RowPass kInterlacedRows[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

void DecodeRows(ravelight::GifLzwDecoder& lzw, ravelight::GifSubBlocks& data, CGifFrame& frame) {
  const RowPass* passes = frame.interlaced ? kInterlacedRows : kSequentialRows;
  const size_t passCount = frame.interlaced ? sizeof kInterlacedRows / sizeof *kInterlacedRows : 1;
  const size_t width = size_t(frame.width);
  for (size_t p = 0; p < passCount; ++p)
    for (int y = passes[p].first; y < frame.height; y += passes[p].step)
      if (lzw.Decode(data, frame.indices + size_t(y) * width, width) < width) return;
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
  const size_t pixels = size_t(frame.width) * size_t(frame.height);
  if (pixels) {
    frame.indices = static_cast<uint8_t*>(std::calloc(pixels, 1));
    if (!frame.indices) return false;
  }
  const int minCodeSize = std::getc(stream);
  if (minCodeSize == EOF) return true;
  GifLzwDecoder lzw;
  if (!lzw.Start(minCodeSize)) return false;
  GifSubBlocks data(stream);
  if (frame.indices) DecodeRows(lzw, data, frame);
  data.SkipRest();
  return true;
}

}  // namespace ravelight
