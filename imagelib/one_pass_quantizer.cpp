// The one-pass quantizer: a fixed cube of evenly spaced levels per channel, so each channel is
// mapped on its own, with Floyd-Steinberg dithering in alternating directions.
#include <new>

#include "clamp_to_byte.h"
#include "colour_quantizer.h"
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

}  // namespace

struct OnePassQuantizer::State {
  int width = 0;
  ColourMap map;
  int levels[3] = {};
  int value[3][256] = {};       // value of each level, per channel
  uint8_t level[3][256] = {};   // nearest level of each input value
  int entryStep[3] = {};        // map entries from one level of the channel to the next
  std::unique_ptr<int[]> errors[3];  // per channel, for the row below
  bool rightToLeft = false;

  void BuildTables();
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
      level[c][v] = uint8_t(j);
    }
  }
}

// One channel of a row; the channels are independent because the map is a cube, and each adds
// its share to the pixel's entry.
void OnePassQuantizer::State::DitherChannel(int channel, const uint8_t* bgr, uint8_t* indices) {
  DiffuseRow<1>(width, rightToLeft, errors[channel].get(), [&](int x, int error[1]) {
    const int corrected = ClampToByte(bgr[3 * x + 2 - channel] + error[0]);
    const int j = level[channel][corrected];
    indices[x] = uint8_t(indices[x] + j * entryStep[channel]);
    error[0] = corrected - value[channel][j];
  });
}

OnePassQuantizer::OnePassQuantizer() = default;
OnePassQuantizer::~OnePassQuantizer() = default;

bool OnePassQuantizer::Start(int width, int colours) {
  state_.reset();
  if (width <= 0 || width > kMaxPictureSide || colours < kMinColours || colours > kMaxColours) return false;
  std::unique_ptr<State> state(new (std::nothrow) State);
  if (!state) return false;
  for (auto& row : state->errors) {
    row.reset(new (std::nothrow) int[size_t(width) + 2]());
    if (!row) return false;
  }
  state->width = width;
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
  for (int x = 0; x < s.width; ++x) indices[x] = 0;
  for (int c = 0; c < 3; ++c) s.DitherChannel(c, bgr, indices);
  s.rightToLeft = !s.rightToLeft;
}

}  // namespace ravelight
