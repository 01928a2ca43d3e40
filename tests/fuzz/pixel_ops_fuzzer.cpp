// Runs every colour and filter operation with arbitrary parameters on a small picture of arbitrary
// size and pixels: the sanitizers catch any write outside the buffer or arithmetic overflow.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "picture_limits.h"

namespace {

// Hands out the fuzzer's bytes as ints; zeros once they run out.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int Int() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return int(v);
  }
  uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
  int Small(int limit) { return Byte() % limit; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t used_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  Cimage picture;
  picture.m_valid = 1;
  picture.m_width = 1 + in.Small(48);
  picture.m_height = 1 + in.Small(48);
  picture.m_stride = int(ravelight::RowStride(picture.m_width));
  const size_t bytes = size_t(picture.m_stride) * picture.m_height;
  picture.m_pixels = static_cast<uint8_t*>(std::malloc(bytes));
  for (size_t i = 0; i < bytes; ++i) picture.m_pixels[i] = in.Byte();

  int curve[256];
  MakeCurve(curve, in.Int(), in.Small(5));
  RGBfromYCC(in.Int(), in.Int(), in.Int());
  picture.RGBtoYCC();
  picture.Brightness(in.Int());
  picture.Contrast(in.Int(), in.Small(5));
  picture.Saturation(in.Int(), in.Small(5));
  picture.YCCtoRGB();
  picture.ApplyGain(in.Int());
  int bevel[3] = {in.Int() % 64, in.Int(), in.Int()};
  picture.Effect(in.Small(2), in.Small(4), bevel);
  picture.FixRedEye(CPoint(in.Small(64), in.Small(64)), in.Int());
  int kernel[9];
  for (int& w : kernel) w = in.Int();
  picture.Filter3x3(kernel);
  // Its histogram scan is slow under coverage tracing and takes no parameters: now and then.
  if (in.Small(16) == 15) picture.FindCommonColor();
  picture.GetRGB(in.Int() % 64, in.Int() % 64);
  return 0;
}
