// 3 × 3 convolution of the luminance (sharpen, soften and the like); chroma and the outermost
// pixels keep their values. The picture is converted to Y, Cb, Cr, filtered and converted back
// row by row in one pass: three rows of planes are all the unfiltered values a row needs.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "picture_buffer.h"
#include "pixel_walk.h"
#include "ycc_pixel.h"

namespace {

// Weights and divisor such that the divisor is positive: both are negated when the weights sum
// below zero (the quotient stays the same), and a kernel whose weights sum to zero divides by 1.
struct Kernel {
  int64_t weight[9];
  int64_t divisor;
  int64_t magnitude;  // the sum of the weights' absolute values
};

Kernel Normalise(const int* kernel) {
  Kernel k{};
  for (int i = 0; i < 9; ++i) {
    k.weight[i] = kernel[i];
    k.divisor += kernel[i];
    k.magnitude += kernel[i] < 0 ? -int64_t{kernel[i]} : kernel[i];
  }
  if (k.divisor == 0) k.divisor = 1;
  if (k.divisor < 0) {
    for (int64_t& w : k.weight) w = -w;
    k.divisor = -k.divisor;
  }
  return k;
}

// Ordinary kernels fit 32-bit sums; the rest take 64 bits.
bool FitsInt32(const Kernel& k) { return k.magnitude <= (INT32_MAX >> 8); }

// Truncating division of a sum that the caller has clamped to 0 .. 256 × divisor − 1.
struct DivideByOne {
  template <class Sum>
  Sum operator()(Sum n) const { return n; }
};
// Divisors up to 4096 (every ordinary kernel): a multiply by a rounded-up reciprocal, exact for
// these sums since n × (the rounding error) stays below 2^32.
constexpr int64_t kMaxReciprocalDivisor = 4096;
struct DivideByReciprocal {
  uint32_t reciprocal;
  explicit DivideByReciprocal(int64_t divisor) : reciprocal(uint32_t((uint64_t{1} << 32) / uint64_t(divisor) + 1)) {}
  template <class Sum>
  Sum operator()(Sum n) const { return Sum(uint64_t(uint32_t(n)) * reciprocal >> 32); }
};
struct DivideBy {
  int64_t divisor;
  template <class Sum>
  Sum operator()(Sum n) const { return n / Sum(divisor); }
};

// One picture row as planes, three rows of them for the filter's neighbourhood.
struct PlaneRow {
  uint8_t* y;
  uint8_t* cb;
  uint8_t* cr;
};

// The row pointers and the row's end are copied into locals: as far as the compiler knows, a byte
// stored through one pointer may change anything read through another, the width included.
void Split(const Cimage& picture, int row, PlaneRow to) {
  const uint8_t* p = ravelight::PixelRow(picture, row);
  uint8_t *y = to.y, *cb = to.cb, *cr = to.cr;
  for (const uint8_t* const end = p + 3 * picture.m_width; p != end; p += 3) ravelight::ToYcc(p, *y++, *cb++, *cr++);
}

void Join(const uint8_t* luma, PlaneRow chroma, Cimage& picture, int row) {
  uint8_t* p = ravelight::PixelRow(picture, row);
  const uint8_t *cb = chroma.cb, *cr = chroma.cr;
  for (uint8_t* const end = p + 3 * picture.m_width; p != end; p += 3) ravelight::ToBgr(*luma++, *cb++, *cr++, p);
}

template <class Sum, class Divide>
class LumaFilter {
 public:
  LumaFilter(const Kernel& k, Divide divide) : divide_(divide), saturated_(Sum(k.divisor * 256 - 1)) {
    for (int i = 0; i < 9; ++i) w_[i] = Sum(k.weight[i]);
  }

  // The interior of a row from the unfiltered luminance of it and its neighbours; the ends keep theirs.
  void Row(const uint8_t* above, const uint8_t* here, const uint8_t* below, int width, uint8_t* out) const {
    out[0] = here[0];
    out[width - 1] = here[width - 1];
    for (int x = 1; x < width - 1; ++x) {
      const Sum sum = w_[0] * above[x - 1] + w_[1] * above[x] + w_[2] * above[x + 1] +
                      w_[3] * here[x - 1] + w_[4] * here[x] + w_[5] * here[x + 1] +
                      w_[6] * below[x - 1] + w_[7] * below[x] + w_[8] * below[x + 1];
      // Clamping the sum first clamps the quotient to 0..255, and without a branch.
      out[x] = uint8_t(divide_(std::min(std::max(sum, Sum(0)), saturated_)));
    }
  }

 private:
  Sum w_[9];
  Divide divide_;
  Sum saturated_;  // the largest sum whose quotient is at most 255
};

template <class Sum, class Divide>
void FilterPicture(Cimage& picture, const Kernel& k, Divide divide, uint8_t* buffer) {
  const LumaFilter<Sum, Divide> filter(k, divide);
  const int width = picture.m_width, height = picture.m_height;
  PlaneRow rows[3];
  for (int i = 0; i < 3; ++i) rows[i] = {buffer + (3 * i) * width, buffer + (3 * i + 1) * width, buffer + (3 * i + 2) * width};
  uint8_t* const filtered = buffer + 9 * width;

  Split(picture, 0, rows[0]);
  Split(picture, 1, rows[1]);
  Join(rows[0].y, rows[0], picture, 0);
  for (int y = 1; y < height - 1; ++y) {
    const PlaneRow& above = rows[(y - 1) % 3];
    const PlaneRow& here = rows[y % 3];
    const PlaneRow& below = rows[(y + 1) % 3];
    Split(picture, y + 1, below);
    filter.Row(above.y, here.y, below.y, width, filtered);
    Join(filtered, here, picture, y);
  }
  const PlaneRow& last = rows[(height - 1) % 3];
  Join(last.y, last, picture, height - 1);
}

}  // namespace

// kernel: top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right.
void Cimage::Filter3x3(int kernel[9]) {
  if (!ravelight::IsUsable(*this) || !kernel || m_width < 3 || m_height < 3) return;
  const Kernel k = Normalise(kernel);
  uint8_t* buffer = static_cast<uint8_t*>(std::malloc(10 * size_t(m_width)));
  if (!buffer) return;
  ravelight::DropDisplayCopy(*this);
  if (!FitsInt32(k))
    FilterPicture<int64_t>(*this, k, DivideBy{k.divisor}, buffer);
  else if (k.divisor == 1)
    FilterPicture<int32_t>(*this, k, DivideByOne{}, buffer);
  else if (k.divisor <= kMaxReciprocalDivisor)
    FilterPicture<int32_t>(*this, k, DivideByReciprocal(k.divisor), buffer);
  else
    FilterPicture<int32_t>(*this, k, DivideBy{k.divisor}, buffer);
  std::free(buffer);
}
