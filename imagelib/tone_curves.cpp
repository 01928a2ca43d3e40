// Tone curves for the adjust dialog and the batch jobs, and the gain. Brightness, Contrast and
// Saturation map the planes of the YCbCr layout; the caller converts before and after.
#include <cstdint>

#include "Cimage.h"
#include "clamp_to_byte.h"
#include "picture_buffer.h"
#include "pixel_walk.h"

namespace {

using ravelight::ClampToByte;

// Which bytes of each pixel a curve applies to.
enum Planes { kLuma = 1, kChroma = 2 | 4, kAllPlanes = 1 | 2 | 4 };

// The curve as a byte table, then one look-up per chosen byte of every pixel.
void MapPlanes(Cimage& picture, const int (&curve)[256], int planes) {
  if (!ravelight::IsUsable(picture)) return;
  uint8_t table[256];
  for (int i = 0; i < 256; ++i) table[i] = ClampToByte(curve[i]);
  ravelight::DropDisplayCopy(picture);
  const bool first = planes & 1, second = planes & 2, third = planes & 4;
  ravelight::ForEachPixel(picture, [&](uint8_t* p) {
    if (first) p[0] = table[p[0]];
    if (second) p[1] = table[p[1]];
    if (third) p[2] = table[p[2]];
  });
}

}  // namespace

// The amounts come straight from dialogs and batch settings: the arithmetic is 64-bit so that no
// amount, however absurd, overflows before the clamp.
void MakeCurve(int* curve, int amount, int kind) {
  if (!curve) return;
  const int64_t percent = int64_t{amount} * 100;
  const int64_t slope = (percent - 10000) / 128;
  for (int i = 0; i < 256; ++i) {
    const int64_t fromMiddle = 128 - i;
    int64_t value;
    if (kind == 2) {
      const int64_t factor = slope * (fromMiddle >= 0 ? i : 256 - i) + 10000;
      value = 128 - fromMiddle * factor / 10000;
    } else if (kind == 3) {
      value = 128 - percent * fromMiddle / 10000;
    } else {
      value = i * percent / 10000;
    }
    curve[i] = ClampToByte(value);
  }
}

void Cimage::Brightness(int amount) {
  int curve[256];
  MakeCurve(curve, amount, 1);
  MapPlanes(*this, curve, kLuma);
}

void Cimage::Contrast(int amount, int kind) {
  int curve[256];
  MakeCurve(curve, amount, kind);
  MapPlanes(*this, curve, kLuma);
}

void Cimage::Saturation(int amount, int kind) {
  int curve[256];
  MakeCurve(curve, amount, kind);
  MapPlanes(*this, curve, kChroma);
}

// 256 is unity. Callers pass at most that, but larger gains clamp rather than wrap.
void Cimage::ApplyGain(int gain) {
  int curve[256];
  for (int v = 0; v < 256; ++v) curve[v] = ClampToByte(int64_t{gain} * v >> 8);
  MapPlanes(*this, curve, kAllPlanes);
}
