// Runs arbitrary sequences of the size and canvas operations, with arbitrary (often nonsensical)
// sizes, ratios and rectangles, on two small pictures and on a picture with itself; after each
// step the picture must be empty or whole: sides of at least one pixel and a stride in step.
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "cimage_test_access.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  int Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // Mostly small values around the pictures' sizes, now and then far out or negative.
  int Number() {
    const int b = Byte();
    if (b < 200) return b - 40;
    if (b < 250) return (Byte() << 8 | Byte()) - 32768;
    return b == 250 ? 0x7FFFFFFF : -0x7FFFFFFF;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void Paint(Cimage& picture, Input& in) {
  picture.Blank(1 + in.Byte() % 48, 1 + in.Byte() % 48, unsigned(in.Byte()) * 0x010203u);
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < 3 * picture.m_width; ++x)
      picture.m_pixels[size_t(y) * picture.m_stride + x] = uint8_t(x * 7 + y * 13 + in.Byte());
}

// Keeps a case fast: pictures that grew large are painted small again.
void KeepSmall(Cimage& picture, Input& in) {
  if (!picture.m_pixels || picture.m_width > 200 || picture.m_height > 200) Paint(picture, in);
}

void Check(const Cimage& picture) {
  if (!picture.m_pixels) return;
  if (picture.m_width < 1 || picture.m_height < 1 || picture.m_stride != ((3 * picture.m_width + 3) & ~3))
    std::abort();
  // The sanitizer notices a buffer shorter than the geometry says.
  volatile uint8_t last = picture.m_pixels[size_t(picture.m_stride) * picture.m_height - 1];
  (void)last;
}

CRect Rect(Input& in) { return CRect(in.Number(), in.Number(), in.Number(), in.Number()); }
// For operations whose result is as large as the rectangle.
CRect SmallRect(Input& in) {
  const CRect r = Rect(in);
  return CRect(r.left % 1000, r.top % 1000, r.right % 1000, r.bottom % 1000);
}

void Step(Cimage& picture, Cimage& other, Input& in) {
  Cimage* source = in.Byte() % 4 == 0 ? &picture : &other;
  switch (in.Byte() % 13) {
    case 0: picture.ReSample(in.Number() % 1000, in.Number() % 1000, in.Byte() % 8); break;
    case 1: picture.ZoomImage(source, in.Byte() % 10, in.Byte() % 10, Rect(in)); break;
    case 2:
      picture.ZoomImage(source, in.Byte() % 10, in.Byte() % 10, in.Number(), in.Number(), in.Number(), in.Number(), 0);
      break;
    case 3: picture.Crop(Rect(in)); break;
    case 4: picture.CopyArea(source, SmallRect(in), in.Number()); break;
    case 5: picture.PadToFill(unsigned(in.Number()), in.Number() % 700, in.Number() % 700); break;
    case 6: picture.FrameFill(in.Number() % 300, in.Number() % 300, in.Byte() % 2); break;
    case 7: picture.BorderMerge(source, in.Byte() % 5); break;
    case 8: picture.OverlayMerge(source, in.Byte() % 3, in.Byte() % 3, unsigned(in.Number())); break;
    case 9: picture.TextOverlayMerge(source, in.Byte() % 3, in.Byte() % 3); break;
    case 10: picture.BitBlt(in.Number(), in.Number(), source); break;
    case 11: CimageTestAccess::Block_Resample_31(picture); break;
    default: other.BorderMerge(&picture, in.Byte() % 5); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  Cimage picture, other;
  Paint(picture, in);
  Paint(other, in);
  for (int steps = 0; steps < 64 && in.More(); ++steps) {
    Step(picture, other, in);
    Check(picture);
    Check(other);
    KeepSmall(picture, in);
    KeepSmall(other, in);
  }
  return 0;
}
