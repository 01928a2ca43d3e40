// Fixed-ratio box filters: 1/2, 2/3 and 3/4 for the stepwise window fit, × 2 and × 3 for zoom.
// Apart from the halving, which has a fast path of its own, every filter is separable: along each
// axis an output sample blends at most two source samples with small integer weights, and in two
// dimensions the weights multiply, with one truncating division at the end.
#include "block_resample.h"

#include <algorithm>
#include <cstring>

#include "halving.h"
#include "picture_limits.h"
#include "resample_taps.h"
#include "scale_fraction.h"

namespace {

using ravelight::BlockFilter;
using ravelight::PixelView;
using ravelight::Tap;

struct AxisRule {
  int divisor;  // the sum of the weights of every output sample
  int (*size)(int n);
  Tap (*tap)(int out, int n);
};

Tap Keep(int i, int weight) { return Tap{i, i, weight, 0}; }

// Each group of three gives the first sample and the mean of the other two; an incomplete last
// group is dropped unless it is all there is, as a reduction must never leave a picture without
// pixels.
const AxisRule kTwoThirds = {
    2, [](int n) { return std::max(1, 2 * (n / 3)); },
    [](int o, int) {
      const int k = 3 * (o / 2);
      return o % 2 ? Tap{k + 1, k + 2, 1, 1} : Keep(k, 2);
    }};

const AxisRule kThreeQuarters = {
    3, [](int n) { return std::max(1, 3 * (n / 4)); },
    [](int o, int) {
      const int k = 4 * (o / 3);
      switch (o % 3) {
        case 0: return Keep(k, 3);
        case 1: return Tap{k + 1, k + 2, 2, 1};
        default: return Tap{k + 2, k + 3, 1, 2};
      }
    }};

// The last source sample is repeated where there is no next one to blend with.
const AxisRule kDouble = {
    2, [](int n) { return 2 * n; },
    [](int o, int n) {
      const int k = o / 2;
      return o % 2 == 0 || k == n - 1 ? Keep(k, 2) : Tap{k, k + 1, 1, 1};
    }};

const AxisRule kTriple = {
    3, [](int n) { return 3 * n; },
    [](int o, int n) {
      const int k = o / 3;
      if (o % 3 == 0 || k == n - 1) return Keep(k, 3);
      return o % 3 == 1 ? Tap{k, k + 1, 2, 1} : Tap{k, k + 1, 1, 2};
    }};

const AxisRule& RuleOf(BlockFilter filter) {
  switch (filter) {
    case BlockFilter::TwoThirds: return kTwoThirds;
    case BlockFilter::ThreeQuarters: return kThreeQuarters;
    case BlockFilter::Double: return kDouble;
    default: return kTriple;  // the halving has a path of its own
  }
}

// Blends the rows each output row needs into mix, then blends along the row; the divisor is a
// constant so that the compiler turns it into a shift or a multiplication.
template <int kDivisor>
void Filter(const PixelView& from, Cimage& to, const Tap* columns, const Tap* rows, uint16_t* mix) {
  const int rowBytes = 3 * from.width;
  for (int y = 0; y < to.m_height; ++y) {
    const Tap v = rows[y];
    const uint8_t* upper = from.Row(v.first);
    const uint8_t* lower = from.Row(v.second);
    for (int k = 0; k < rowBytes; ++k)
      mix[k] = uint16_t(upper[k] * v.firstWeight + lower[k] * v.secondWeight);
    uint8_t* out = to.m_pixels + size_t(y) * to.m_stride;
    for (int x = 0; x < to.m_width; ++x, out += 3) {
      const Tap h = columns[x];
      const uint16_t* left = mix + 3 * h.first;
      const uint16_t* right = mix + 3 * h.second;
      for (int c = 0; c < 3; ++c)
        out[c] = uint8_t(unsigned(left[c] * h.firstWeight + right[c] * h.secondWeight) / kDivisor);
    }
  }
}

// The × 3 enlargement does not blend rows at the right edge: below the first row of each group of
// three, the last three pixels repeat the last pixel of the next source row.
void RepeatNextRowAtRightEdge(const PixelView& from, Cimage& to) {
  for (int y = 0; y + 1 < from.height; ++y) {
    const uint8_t* edge = from.Row(y + 1) + 3 * size_t(from.width - 1);
    for (int row = 3 * y + 1; row <= 3 * y + 2; ++row) {
      uint8_t* out = to.m_pixels + size_t(row) * to.m_stride + 3 * size_t(to.m_width - 3);
      for (int i = 0; i < 3; ++i) std::memcpy(out + 3 * i, edge, 3);
    }
  }
}

bool FillTaps(ravelight::Scratch<Tap>& taps, const AxisRule& rule, int count, int n) {
  if (!taps) return false;
  for (int i = 0; i < count; ++i) taps[i] = rule.tap(i, n);
  return true;
}

}  // namespace

namespace ravelight {

bool ResampleBlocks(Cimage& picture, const PixelView& from, BlockFilter filter) {
  if (filter == BlockFilter::Half) return Halve(picture, from);
  const AxisRule& rule = RuleOf(filter);
  const int width = rule.size(from.width), height = rule.size(from.height);
  if (!IsSanePictureSize(width, height)) return false;
  Scratch<Tap> columns{size_t(width)}, rows{size_t(height)};
  Scratch<uint16_t> mix(3 * size_t(from.width));
  if (!FillTaps(columns, rule, width, from.width) || !FillTaps(rows, rule, height, from.height) || !mix)
    return false;
  const bool replaced = ReplacePixels(picture, width, height, [&](Cimage& to) {
    if (rule.divisor == 2)
      Filter<4>(from, to, columns.get(), rows.get(), mix.get());
    else
      Filter<9>(from, to, columns.get(), rows.get(), mix.get());
    if (filter == BlockFilter::Triple) RepeatNextRowAtRightEdge(from, to);
  });
  if (!replaced) return false;
  if (filter == BlockFilter::Double) MultiplyScale(picture.m_scaleNum, picture.m_scaleDen, 2);
  if (filter == BlockFilter::Triple) MultiplyScale(picture.m_scaleNum, picture.m_scaleDen, 3);
  return true;
}

}  // namespace ravelight

namespace {

void ResampleOwnPixels(Cimage& picture, BlockFilter filter) {
  if (ravelight::IsUsable(picture)) ravelight::ResampleBlocks(picture, ravelight::ViewOf(picture), filter);
}

}  // namespace

void Cimage::Block_Resample_12() { ResampleOwnPixels(*this, BlockFilter::Half); }
void Cimage::Block_Resample_23() { ResampleOwnPixels(*this, BlockFilter::TwoThirds); }
void Cimage::Block_Resample_34() { ResampleOwnPixels(*this, BlockFilter::ThreeQuarters); }
void Cimage::Block_Resample_21() { ResampleOwnPixels(*this, BlockFilter::Double); }
void Cimage::Block_Resample_31() { ResampleOwnPixels(*this, BlockFilter::Triple); }
