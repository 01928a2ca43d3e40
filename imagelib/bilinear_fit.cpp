#include "bilinear_fit.h"

#include <algorithm>
#include <cstdint>

#include "halving.h"
#include "resample_taps.h"

namespace {

using ravelight::PixelView;
using ravelight::RowSource;
using ravelight::Scratch;
using ravelight::Tap;

// Sides of at most 30000 pixels halve to 4 or less within 13 steps.
constexpr int kMaxHalvings = 16;

// The rows of a picture halved a number of times, made one at a time: a row of one level comes from
// two rows of the level before, level 0 being the picture itself. Each level keeps two rows.
class HalvedRows {
 public:
  HalvedRows(RowSource& picture, int levels)
      : picture_(picture), levels_(std::clamp(levels, 0, kMaxHalvings)), rows_(RowBytes(picture.Width(), levels_)) {
    width_[0] = picture.Width();
    height_[0] = picture.Height();
    size_t offset = 0;
    for (int level = 1; level <= levels_; ++level) {
      width_[level] = ravelight::HalfSide(width_[level - 1]);
      height_[level] = ravelight::HalfSide(height_[level - 1]);
      for (uint8_t*& row : buffers_[level]) {
        if (rows_) row = rows_.get() + offset;
        offset += 3 * size_t(width_[level]);
      }
    }
  }

  explicit operator bool() const { return bool(rows_); }
  int Width() const { return width_[levels_]; }
  int Height() const { return height_[levels_]; }
  // Valid until the next call; null when the source ran out.
  const uint8_t* Row(int y) { return RowOf(levels_, y, 0); }

 private:
  static size_t RowBytes(int width, int levels) {
    size_t bytes = 0;
    for (int level = 1; level <= levels; ++level) {
      width = ravelight::HalfSide(width);
      bytes += 2 * 3 * size_t(width);
    }
    return bytes;
  }

  const uint8_t* RowOf(int level, int y, int slot) {
    if (level == 0) return picture_.Row(y);
    const uint8_t* upper = RowOf(level - 1, 2 * y, 0);
    const uint8_t* lower = upper ? RowOf(level - 1, std::min(2 * y + 1, height_[level - 1] - 1), 1) : nullptr;
    if (!lower) return nullptr;
    ravelight::HalveRows(upper, lower, width_[level - 1], buffers_[level][slot]);
    return buffers_[level][slot];
  }

  RowSource& picture_;
  int levels_;
  Scratch<uint8_t> rows_;
  int width_[kMaxHalvings + 1] = {};
  int height_[kMaxHalvings + 1] = {};
  uint8_t* buffers_[kMaxHalvings + 1][2] = {};
};

// Output sample i of count comes from between source samples q and q + 1 of n; the weights are
// out of 256 and always sum to 256, so flat areas stay flat.
Tap BilinearTap(int i, int count, int n) {
  const int64_t position = int64_t{i} * n;
  const int q = int(position / count), r = int(position % count);
  const int left = int(int64_t{count - r} * 256 / count);
  return Tap{q, std::min(q + 1, n - 1), left, 256 - left};
}

bool FillBilinearTaps(Scratch<Tap>& taps, int count, int n) {
  if (!taps) return false;
  for (int i = 0; i < count; ++i) taps[i] = BilinearTap(i, count, n);
  return true;
}

uint8_t Blend(int first, int second, const Tap& t) {
  return uint8_t((first * t.firstWeight + second * t.secondWeight) >> 8);
}

// The two rows, already resampled along their length, that the vertical pass blends. Rows are
// asked for in increasing order, so a row that is not one of the pair asked for now is never
// needed again.
class StretchedRows {
 public:
  StretchedRows(HalvedRows& source, const Tap* columns, int width)
      : source_(source), columns_(columns), width_(width), rows_(2 * 3 * size_t(width)) {}

  explicit operator bool() const { return bool(rows_); }

  // Row y, without giving up the row keep; null when the source ran out.
  const uint8_t* Row(int y, int keep) {
    for (int slot = 0; slot < 2; ++slot)
      if (held_[slot] == y) return Slot(slot);
    const int slot = held_[0] == keep ? 1 : 0;
    const uint8_t* in = source_.Row(y);
    if (!in) return nullptr;
    uint8_t* out = Slot(slot);
    for (int x = 0; x < width_; ++x, out += 3) {
      const Tap t = columns_[x];
      const uint8_t* left = in + 3 * t.first;
      const uint8_t* right = in + 3 * t.second;
      for (int c = 0; c < 3; ++c) out[c] = Blend(left[c], right[c], t);
    }
    held_[slot] = y;
    return Slot(slot);
  }

 private:
  uint8_t* Slot(int slot) const { return rows_.get() + slot * 3 * size_t(width_); }

  HalvedRows& source_;
  const Tap* columns_;
  int width_;
  Scratch<uint8_t> rows_;
  int held_[2] = {-1, -1};
};

}  // namespace

namespace ravelight {

namespace {

// A picture in memory as a row source.
class PictureRows : public RowSource {
 public:
  explicit PictureRows(const PixelView& view) : view_(view) {}
  int Width() const override { return view_.width; }
  int Height() const override { return view_.height; }
  const uint8_t* Row(int y) override { return view_.Row(y); }

 private:
  PixelView view_;
};

}  // namespace

bool HalveAndFitRows(Cimage& picture, RowSource& source, int halvings, int width, int height) {
  HalvedRows halved(source, halvings);
  Scratch<Tap> columns{size_t(width)}, rows{size_t(height)};
  if (!halved || !FillBilinearTaps(columns, width, halved.Width()) ||
      !FillBilinearTaps(rows, height, halved.Height()))
    return false;
  StretchedRows stretched(halved, columns.get(), width);
  if (!stretched) return false;
  bool complete = true;
  const bool replaced = ReplacePixels(picture, width, height, [&](Cimage& to) {
    for (int y = 0; complete && y < height; ++y) {
      const Tap t = rows[y];
      const uint8_t* upper = stretched.Row(t.first, t.second);
      const uint8_t* lower = upper ? stretched.Row(t.second, t.first) : nullptr;
      complete = lower != nullptr;
      uint8_t* out = to.m_pixels + size_t(y) * to.m_stride;
      for (int k = 0; complete && k < 3 * width; ++k) out[k] = Blend(upper[k], lower[k], t);
    }
  });
  return replaced && complete;
}

bool HalveAndFit(Cimage& picture, int halvings, int width, int height) {
  PictureRows rows(ViewOf(picture));
  return HalveAndFitRows(picture, rows, halvings, width, height);
}

}  // namespace ravelight
