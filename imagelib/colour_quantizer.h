#pragma once
// Reducing 24-bit pictures to at most 256 colours, for palette files (BMP, GIF, PNG) and for
// palette displays. Rows are given as the picture keeps them: blue, green, red per pixel.
// The classes are exported so that the tests can reach them.
#include <cstdint>
#include <memory>

#include "ravelight_api.h"

namespace ravelight {

struct ColourMap {
  int count = 0;  // entries in use, at most 256
  uint8_t red[256] = {};
  uint8_t green[256] = {};
  uint8_t blue[256] = {};
};

// Median cut over a histogram of the whole picture, then a mapping pass. A picture with no more
// distinct colours than asked for gets exactly its own colours and maps without loss.
class RAVELIGHT_API TwoPassQuantizer {
 public:
  TwoPassQuantizer();
  ~TwoPassQuantizer();
  TwoPassQuantizer(const TwoPassQuantizer&) = delete;
  TwoPassQuantizer& operator=(const TwoPassQuantizer&) = delete;

  // False when the tables cannot be allocated, width is not a picture's width or colours is
  // outside 8..256; until a Start has succeeded the other calls do nothing.
  bool Start(int width, int colours);
  // First pass: every row of the picture once.
  void CountRow(const uint8_t* bgr);
  // Ends the first pass and chooses the colours; later calls return the same map.
  const ColourMap& ChooseColours();
  // Second pass, rows from the top (choosing the colours first if that has not been done): one
  // map index per pixel, Floyd-Steinberg dithered if asked.
  void MapRow(const uint8_t* bgr, uint8_t* indices, bool dither);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// How the one-pass quantizer spreads what its cube cannot show (the codec library's dither modes,
// in its order): not at all (each channel to its nearest level), by a fixed 16 × 16 matrix of
// offsets, or by Floyd-Steinberg error diffusion.
enum class DitherMode { kNone = 0, kOrdered = 1, kFloydSteinberg = 2 };

// A fixed colour cube for palette displays: per channel the most levels that keep the product
// within the count asked for (236 gives 6 × 6 × 6); rows mapped with the dither mode asked for.
class RAVELIGHT_API OnePassQuantizer {
 public:
  OnePassQuantizer();
  ~OnePassQuantizer();
  OnePassQuantizer(const OnePassQuantizer&) = delete;
  OnePassQuantizer& operator=(const OnePassQuantizer&) = delete;

  // False when the tables cannot be allocated, width is not a picture's width or colours is
  // outside 8..256; until a Start has succeeded the other calls do nothing. Each Start begins the
  // ordered dither at the matrix's first row and Floyd-Steinberg with no carried error.
  bool Start(int width, int colours, DitherMode dither = DitherMode::kFloydSteinberg);
  const ColourMap& Colours() const;
  // The next row of the picture, rows from the top.
  void MapRow(const uint8_t* bgr, uint8_t* indices);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ravelight
