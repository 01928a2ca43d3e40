// Capturing the top-left area of a drawing context as a new picture.
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "bitmap_header.h"
#include "device_context.h"
#include "picture_buffer.h"

namespace {

// A capture starts as a load does: the old picture goes, a fresh buffer of the size asked for
// comes. A size that is no picture, or no memory, is a failed load.
bool StartCapture(Cimage& picture, HDC dc, int width, int height) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_scaleNum = picture.m_scaleDen = 1;
  picture.m_saveError = 0;
  picture.m_fileSize = 0;
  picture.m_components = 3;
  if (!dc || !ravelight::AttachNewPixels(picture, width, height)) {
    picture.m_loadError = 1;
    return false;
  }
  picture.m_origWidth = width;
  picture.m_origHeight = height;
  return true;
}

// Pixels outside what the context can show read as black.
void ReadPixelByPixel(Cimage& picture, HDC dc) {
  for (int y = 0; y < picture.m_height; ++y) {
    uint8_t* p = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int x = 0; x < picture.m_width; ++x, p += 3) {
      COLORREF colour = ::GetPixel(dc, x, y);
      if (colour == CLR_INVALID) colour = 0;
      p[0] = GetBValue(colour);
      p[1] = GetGValue(colour);
      p[2] = GetRValue(colour);
    }
  }
}

// The area is copied into a 24-bit bitmap laid out exactly as the pixels are, then taken over
// whole. A bitmap compatible with the context would do on Windows, but under Wine one compatible
// with a 16-bit display holds 5-5-5 values and loses a bit of green.
bool CopyThroughMemoryBitmap(Cimage& picture, HDC dc) {
  MemoryDC memory(dc);
  BITMAPINFO header = {};
  ravelight::DescribeTopDown(header.bmiHeader, picture.m_width, picture.m_height, 24);
  void* rows = nullptr;
  GdiObject<HBITMAP> bitmap(::CreateDIBSection(dc, &header, DIB_RGB_COLORS, &rows, nullptr, 0));
  if (!memory.get() || !bitmap.get()) return false;
  {
    SelectedObject selected(memory.get(), bitmap.get());
    if (!::BitBlt(memory.get(), 0, 0, picture.m_width, picture.m_height, dc, 0, 0, SRCCOPY)) return false;
    ::GdiFlush();
  }
  std::memcpy(picture.m_pixels, rows, size_t(picture.m_stride) * size_t(picture.m_height));
  return true;
}

void FailCapture(Cimage& picture) {
  std::free(picture.m_pixels);
  picture.m_pixels = nullptr;
  picture.m_loadError = 1;
}

}  // namespace

void Cimage::FromDC(CDC* dc, int width, int height) {
  HDC handle = dc ? dc->GetSafeHdc() : nullptr;
  if (!StartCapture(*this, handle, width, height)) return;
  ReadPixelByPixel(*this, handle);
  MakeBMIstruct();
}

void Cimage::FromDC(HDC dc, int width, int height) {
  if (!StartCapture(*this, dc, width, height)) return;
  if (S_use_palette) {
    ReadPixelByPixel(*this, dc);
  } else if (!CopyThroughMemoryBitmap(*this, dc)) {
    FailCapture(*this);
    return;
  }
  MakeBMIstruct();
}
