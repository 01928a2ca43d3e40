// The two-pass quantizer: a histogram of the whole picture, a colour map chosen from it (the
// picture's own colours when it has few enough, else by median cut), then a mapping pass.
#include <cstring>
#include <new>

#include "clamp_to_byte.h"
#include "colour_quantizer.h"
#include "distinct_colours.h"
#include "floyd_steinberg.h"
#include "inverse_colour_map.h"
#include "median_cut.h"
#include "picture_limits.h"

namespace ravelight {
namespace {

constexpr int kMinColours = 8;
constexpr int kMaxColours = 256;

// Large errors are damped before they spread: below 16 they pass unchanged, from 16 to 47 they
// count half beyond 16, and beyond that they are held at 32. This keeps dithering from smearing
// colours the map lacks across wide areas.
int LimitError(int error) {
  const int magnitude = error < 0 ? -error : error;
  const int limited = magnitude < 16 ? magnitude : magnitude < 48 ? 16 + (magnitude - 16) / 2 : 32;
  return error < 0 ? -limited : limited;
}

uint32_t PackRgb(int red, int green, int blue) { return uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue); }

}  // namespace

struct TwoPassQuantizer::State {
  explicit State(int wanted) : distinct(wanted) {}

  int width = 0;
  int wanted = 0;
  ColourHistogram histogram{};
  DistinctColours distinct;
  bool chosen = false;
  bool exact = false;
  ColourMap map;
  InverseColourMap inverse{histogram, map};  // asked only once the colours are chosen
  std::unique_ptr<int[]> errors;  // red, green, blue of each column, for the row below
  bool rightToLeft = false;

  int Nearest(int red, int green, int blue) {
    if (exact) {
      const int entry = distinct.IndexOf(PackRgb(red, green, blue));
      if (entry >= 0) return entry;
    }
    return inverse.Nearest(red, green, blue);
  }

  void DitherRow(const uint8_t* bgr, uint8_t* indices);
};

// The scan runs in alternate directions, so that errors do not all drift one way.
void TwoPassQuantizer::State::DitherRow(const uint8_t* bgr, uint8_t* indices) {
  const uint8_t* mapChannel[3] = {map.red, map.green, map.blue};
  DiffuseRow<3>(width, rightToLeft, errors.get(), [&](int x, int error[3]) {
    int value[3];
    for (int c = 0; c < 3; ++c) value[c] = ClampToByte(bgr[3 * x + 2 - c] + LimitError(error[c]));
    const int entry = Nearest(value[0], value[1], value[2]);
    indices[x] = uint8_t(entry);
    for (int c = 0; c < 3; ++c) error[c] = value[c] - mapChannel[c][entry];
  });
  rightToLeft = !rightToLeft;
}

TwoPassQuantizer::TwoPassQuantizer() = default;
TwoPassQuantizer::~TwoPassQuantizer() = default;

bool TwoPassQuantizer::Start(int width, int colours) {
  state_.reset();
  if (width <= 0 || width > kMaxPictureSide || colours < kMinColours || colours > kMaxColours) return false;
  std::unique_ptr<State> state(new (std::nothrow) State(colours));
  if (!state) return false;
  state->errors.reset(new (std::nothrow) int[3 * (size_t(width) + 2)]());
  if (!state->errors) return false;
  state->width = width;
  state->wanted = colours;
  state_ = std::move(state);
  return true;
}

void TwoPassQuantizer::CountRow(const uint8_t* bgr) {
  if (!state_ || state_->chosen) return;
  State& s = *state_;
  for (int x = 0; x < s.width; ++x, bgr += 3) {
    uint16_t& cell = s.histogram.cells[bgr[2] >> kRedShift][bgr[1] >> kGreenShift][bgr[0] >> kBlueShift];
    if (cell != UINT16_MAX) ++cell;
    s.distinct.Add(PackRgb(bgr[2], bgr[1], bgr[0]));
  }
}

const ColourMap& TwoPassQuantizer::ChooseColours() {
  static const ColourMap kNone;
  if (!state_) return kNone;
  State& s = *state_;
  if (s.chosen) return s.map;
  s.exact = !s.distinct.TooMany() && s.distinct.Count() > 0;
  if (s.exact)
    s.distinct.CopyTo(s.map);
  else
    MedianCut(s.histogram, s.wanted, s.map);
  // The histogram has done its work; its cells now cache the nearest entry of each colour.
  std::memset(&s.histogram, 0, sizeof s.histogram);
  s.chosen = true;
  return s.map;
}

void TwoPassQuantizer::MapRow(const uint8_t* bgr, uint8_t* indices, bool dither) {
  if (!state_) return;
  ChooseColours();
  State& s = *state_;
  if (dither) {
    s.DitherRow(bgr, indices);
    return;
  }
  for (int x = 0; x < s.width; ++x, bgr += 3) indices[x] = uint8_t(s.Nearest(bgr[2], bgr[1], bgr[0]));
}

}  // namespace ravelight
