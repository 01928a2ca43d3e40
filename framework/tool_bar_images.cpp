#include "tool_bar_images.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(192, 192, 192);

// A pixel of a disabled picture: a light grey as dark as the original, never the background.
uint32_t Greyed(uint32_t bgrx) {
  const int blue = bgrx & 0xFF, green = (bgrx >> 8) & 0xFF, red = (bgrx >> 16) & 0xFF;
  const int light = (red * 77 + green * 151 + blue * 28) >> 8;
  int grey = 128 + light / 2;
  if (grey == 192) grey = 191;
  return uint32_t(grey) | uint32_t(grey) << 8 | uint32_t(grey) << 16;
}

// A 32-bit picture with its top row first.
BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The bitmap's pixels as 32-bit top-down rows.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::vector<uint32_t>& pixels) {
  BITMAPINFO info = TopDownInfo(width, height);
  pixels.assign(size_t(width) * size_t(height), 0);
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return rows == height;
}

HBITMAP MakeBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
  return bitmap;
}

HIMAGELIST MakeList(HBITMAP strip, int width, int height, int count) {
  HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
  if (list && ::ImageList_AddMasked(list, strip, kBackground) < 0) {
    ::ImageList_Destroy(list);
    list = nullptr;
  }
  return list;
}

}  // namespace

ToolBarImages::~ToolBarImages() { Release(); }

void ToolBarImages::Release() {
  if (normal_) ::ImageList_Destroy(normal_);
  if (disabled_) ::ImageList_Destroy(disabled_);
  normal_ = disabled_ = nullptr;
}

bool ToolBarImages::Load(HINSTANCE instance, int bitmapId, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  HBITMAP strip = static_cast<HBITMAP>(
      ::LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!strip) return false;
  BITMAP shape = {};
  ::GetObjectA(strip, sizeof shape, &shape);
  std::vector<uint32_t> pixels;
  const bool read = shape.bmHeight >= height && ReadPixels(strip, shape.bmWidth, shape.bmHeight, pixels);
  const int count = shape.bmWidth / width;
  HIMAGELIST normal = read ? MakeList(strip, width, height, count) : nullptr;
  ::DeleteObject(strip);
  if (!normal) return false;

  const uint32_t background = 192 | 192 << 8 | 192 << 16;
  for (uint32_t& pixel : pixels)
    if ((pixel & 0xFFFFFF) != background) pixel = Greyed(pixel);
  HBITMAP greyStrip = MakeBitmap(pixels, shape.bmWidth, shape.bmHeight);
  HIMAGELIST disabled = greyStrip ? MakeList(greyStrip, width, height, count) : nullptr;
  if (greyStrip) ::DeleteObject(greyStrip);

  Release();
  normal_ = normal;
  disabled_ = disabled;
  return true;
}
