#include "canvas_test_pictures.h"

#include <cstring>

#if defined(_WIN32)
#  include <malloc.h>
#elif defined(__SANITIZE_ADDRESS__)
#  define CANVAS_TEST_ASAN 1
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define CANVAS_TEST_ASAN 1
#  endif
#endif
#if defined(CANVAS_TEST_ASAN)
// From the sanitizer runtime's allocator interface (gcc ships no header for it).
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* block);
#endif

namespace canvas_pictures {

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(b " << p.b << ", g " << p.g << ", r " << p.r << ")";
}

namespace {

uint8_t* At(const Cimage& picture, int x, int y) {
  return picture.m_pixels + size_t(y) * picture.m_stride + 3 * size_t(x);
}

// Bytes the allocator handed out for the block; -1 where it cannot tell.
long long AllocatedBytes(const void* block) {
#if defined(_WIN32)
  return static_cast<long long>(_msize(const_cast<void*>(block)));
#elif defined(CANVAS_TEST_ASAN)
  return static_cast<long long>(__sanitizer_get_allocated_size(block));
#else
  (void)block;
  return -1;
#endif
}

}  // namespace

void Paint(Cimage& picture, int width, int height, const std::function<Pixel(int x, int y)>& paint) {
  picture.Blank(width, height, 0);
  ASSERT_TRUE(picture.m_pixels) << width << " x " << height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Pixel p = paint(x, y);
      uint8_t* out = At(picture, x, y);
      out[0] = uint8_t(p.b);
      out[1] = uint8_t(p.g);
      out[2] = uint8_t(p.r);
    }
}

void PaintConstant(Cimage& picture, int width, int height, Pixel colour) {
  Paint(picture, width, height, [&](int, int) { return colour; });
}

void PaintValues(Cimage& picture, int width, int height, const std::vector<int>& values) {
  ASSERT_EQ(values.size(), size_t(width) * height);
  Paint(picture, width, height, [&](int x, int y) {
    const int v = values[size_t(y) * width + x];
    return Pixel{v, v + 1, v + 2};
  });
}

void PaintPattern(Cimage& picture, int width, int height) {
  Paint(picture, width, height, [](int x, int y) {
    return Pixel{(7 * x + 3 * y) % 256, (11 * y + 5 * x + 40) % 256, (13 * x * y + 90) % 256};
  });
}

Pixel PixelAt(const Cimage& picture, int x, int y) {
  const uint8_t* p = At(picture, x, y);
  return Pixel{p[0], p[1], p[2]};
}

std::string Size(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

std::string SizeOf(const Cimage& picture) { return Size(picture.m_width, picture.m_height); }

std::string ScaleOf(const Cimage& picture) {
  return std::to_string(picture.m_scaleNum) + "/" + std::to_string(picture.m_scaleDen);
}

std::vector<int> BlueValues(const Cimage& picture) {
  std::vector<int> values;
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x) values.push_back(PixelAt(picture, x, y).b);
  return values;
}

bool IsConstant(const Cimage& picture, Pixel colour) {
  for (int y = 0; y < picture.m_height; ++y)
    for (int x = 0; x < picture.m_width; ++x)
      if (!(PixelAt(picture, x, y) == colour)) return false;
  return true;
}

bool SamePixels(const Cimage& a, const Cimage& b) {
  if (a.m_width != b.m_width || a.m_height != b.m_height) return false;
  for (int y = 0; y < a.m_height; ++y)
    if (std::memcmp(At(a, 0, y), At(b, 0, y), 3 * size_t(a.m_width)) != 0) return false;
  return true;
}

::testing::AssertionResult BufferInStep(const Cimage& picture, bool withHeader) {
  if (!picture.m_pixels) return ::testing::AssertionFailure() << "no pixels";
  if (picture.m_stride != ((3 * picture.m_width + 3) & ~3))
    return ::testing::AssertionFailure() << "stride " << picture.m_stride << " for width " << picture.m_width;
  const long long bytes = AllocatedBytes(picture.m_pixels);
  const long long expected = static_cast<long long>(picture.m_stride) * picture.m_height;
  if (bytes >= 0 && bytes != expected)
    return ::testing::AssertionFailure() << "buffer of " << bytes << " bytes, expected " << expected;
  if (!withHeader) return ::testing::AssertionSuccess();
  if (!picture.m_bmi) return ::testing::AssertionFailure() << "no header";
  if (picture.m_bmi->bmiHeader.biWidth != picture.m_width || picture.m_bmi->bmiHeader.biHeight != -picture.m_height)
    return ::testing::AssertionFailure() << "header says " << picture.m_bmi->bmiHeader.biWidth << " x "
                                         << picture.m_bmi->bmiHeader.biHeight;
  return ::testing::AssertionSuccess();
}

}  // namespace canvas_pictures
