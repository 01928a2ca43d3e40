// The one-pass quantizer: a fixed cube of evenly spaced levels per channel, so each channel is
// mapped on its own: to its nearest level, with an ordered dither, or with Floyd-Steinberg
// dithering in alternating directions.
#include <new>

#include "clamp_to_byte.h"
#include "colour_quantizer.h"
#include "dither_matrix.h"
#include "floyd_steinberg.h"
#include "picture_limits.h"

namespace ravelight {
namespace {

constexpr int kMinColours = 8;
constexpr int kMaxColours = 256;
constexpr int kRed = 0, kGreen = 1, kBlue = 2;

// The most levels per channel whose product stays within colours: an equal share first (the
// cube root), then one more level where it still fits, green first, then red, then blue.
void ChooseLevels(int colours, int levels[3]) {
  int root = 1;
  while ((root + 1) * (root + 1) * (root + 1) <= colours) ++root;
  int total = root * root * root;
  for (int c = 0; c < 3; ++c) levels[c] = root;
  static constexpr int kOrder[3] = {kGreen, kRed, kBlue};
  bool changed = true;
  while (changed) {
    changed = false;
    for (int channel : kOrder) {
      const int grown = total / levels[channel] * (levels[channel] + 1);
      if (grown > colours) break;
      ++levels[channel];
      total = grown;
      changed = true;
    }
  }
}

// Level j of n, spread evenly over 0..255.
int LevelValue(int j, int n) { return (j * 255 + (n - 1) / 2) / (n - 1); }

// The highest input value that is nearest to level j of n.
int LevelTop(int j, int n) { return ((2 * j + 1) * 255 + (n - 1)) / (2 * (n - 1)); }

// Ordered-dither offsets reach less than half a level step either way, at most 127 (two levels),
// so a sample with its offset lies within 255 of 0..255.
constexpr int kPad = 255;

// The ordered dither's offset at a matrix entry (row-major, 0..255) for a channel of `levels`
// levels: the matrix's 256 values spread evenly over one level step, centred on 0, rounded
// toward 0. The matrix is the one that display dithering uses too.
int OrderedOffset(int entry, int levels) {
  return (255 - 2 * BaseDitherValue(entry)) * 255 / (2 * 256 * (levels - 1));  // truncates toward 0
}

}  // namespace

struct OnePassQuantizer::State {
  int width = 0;
  DitherMode dither = DitherMode::kFloydSteinberg;
  ColourMap map;
  int levels[3] = {};
  int value[3][256] = {};  // value of each level, per channel
  // Nearest level of each input value, from -kPad to 255 + kPad: below 0 level 0, above 255 the
  // top level, so that ordered-dither offsets need no clamping.
  uint8_t level[3][kPad + 256 + kPad] = {};
  int entryStep[3] = {};             // map entries from one level of the channel to the next
  int offset[3][256] = {};           // ordered dither: per channel, at matrix entry 16 × row + column
  int matrixRow = 0;                 // ordered dither: the matrix row of the next picture row
  std::unique_ptr<int[]> errors[3];  // Floyd-Steinberg: per channel, for the row below
  bool rightToLeft = false;

  int Level(int channel, int v) const { return level[channel][kPad + v]; }
  void BuildTables();
  void MapPlainRow(const uint8_t* bgr, uint8_t* indices) const;
  void MapOrderedRow(const uint8_t* bgr, uint8_t* indices);
  void DitherChannel(int channel, const uint8_t* bgr, uint8_t* indices);
};

// Map entries run through every combination of levels with blue fastest, red slowest.
void OnePassQuantizer::State::BuildTables() {
  map.count = levels[kRed] * levels[kGreen] * levels[kBlue];
  entryStep[kBlue] = 1;
  entryStep[kGreen] = levels[kBlue];
  entryStep[kRed] = levels[kBlue] * levels[kGreen];
  uint8_t* channelMap[3] = {map.red, map.green, map.blue};
  for (int c = 0; c < 3; ++c) {
    const int n = levels[c];
    for (int j = 0; j < n; ++j) value[c][j] = LevelValue(j, n);
    for (int entry = 0; entry < map.count; ++entry) channelMap[c][entry] = uint8_t(value[c][entry / entryStep[c] % n]);
    int j = 0;
    for (int v = 0; v < 256; ++v) {
      while (v > LevelTop(j, n)) ++j;
      level[c][kPad + v] = uint8_t(j);
    }
    for (int v = 1; v <= kPad; ++v) {
      level[c][kPad - v] = level[c][kPad];
      level[c][kPad + 255 + v] = level[c][kPad + 255];
    }
    for (int entry = 0; entry < 256; ++entry) offset[c][entry] = OrderedOffset(entry, n);
  }
}

// Each channel to its nearest level.
void OnePassQuantizer::State::MapPlainRow(const uint8_t* bgr, uint8_t* indices) const {
  for (int x = 0; x < width; ++x, bgr += 3) {
    int entry = 0;
    for (int c = 0; c < 3; ++c) entry += Level(c, bgr[2 - c]) * entryStep[c];
    indices[x] = uint8_t(entry);
  }
}

// Each sample moved by the matrix's offset for its place before it goes to its nearest level. The
// matrix column starts again at every row; its row goes on from one row to the next.
void OnePassQuantizer::State::MapOrderedRow(const uint8_t* bgr, uint8_t* indices) {
  const int rowStart = 16 * matrixRow;
  for (int x = 0; x < width; ++x, bgr += 3) {
    const int at = rowStart + (x & 15);
    int entry = 0;
    for (int c = 0; c < 3; ++c) entry += Level(c, bgr[2 - c] + offset[c][at]) * entryStep[c];
    indices[x] = uint8_t(entry);
  }
  matrixRow = (matrixRow + 1) & 15;
}

// One channel of a row; the channels are independent because the map is a cube, and each adds
// its share to the pixel's entry.
void OnePassQuantizer::State::DitherChannel(int channel, const uint8_t* bgr, uint8_t* indices) {
  DiffuseRow<1>(width, rightToLeft, errors[channel].get(), [&](int x, int error[1]) {
    const int corrected = ClampToByte(bgr[3 * x + 2 - channel] + error[0]);
    const int j = Level(channel, corrected);
    indices[x] = uint8_t(indices[x] + j * entryStep[channel]);
    error[0] = corrected - value[channel][j];
  });
}

OnePassQuantizer::OnePassQuantizer() = default;
OnePassQuantizer::~OnePassQuantizer() = default;

bool OnePassQuantizer::Start(int width, int colours, DitherMode dither) {
  state_.reset();
  if (width <= 0 || width > kMaxPictureSide || colours < kMinColours || colours > kMaxColours) return false;
  if (dither != DitherMode::kNone && dither != DitherMode::kOrdered && dither != DitherMode::kFloydSteinberg)
    return false;
  std::unique_ptr<State> state(new (std::nothrow) State);
  if (!state) return false;
  if (dither == DitherMode::kFloydSteinberg) {
    for (auto& row : state->errors) {
      row.reset(new (std::nothrow) int[size_t(width) + 2]());
      if (!row) return false;
    }
  }
  state->width = width;
  state->dither = dither;
  ChooseLevels(colours, state->levels);
  state->BuildTables();
  state_ = std::move(state);
  return true;
}

const ColourMap& OnePassQuantizer::Colours() const {
  static const ColourMap kNone;
  return state_ ? state_->map : kNone;
}

void OnePassQuantizer::MapRow(const uint8_t* bgr, uint8_t* indices) {
  if (!state_) return;
  State& s = *state_;
  switch (s.dither) {
    case DitherMode::kNone:
      s.MapPlainRow(bgr, indices);
      return;
    case DitherMode::kOrdered:
      s.MapOrderedRow(bgr, indices);
      return;
    case DitherMode::kFloydSteinberg:
      for (int x = 0; x < s.width; ++x) indices[x] = 0;
      for (int c = 0; c < 3; ++c) s.DitherChannel(c, bgr, indices);
      s.rightToLeft = !s.rightToLeft;
      return;
  }
}

}  // namespace ravelight
