// The header that describes the pixels to GDI as a 24-bit top-down device-independent bitmap.
#include "bitmap_header.h"

#include <cstdlib>

#include "Cimage.h"

namespace ravelight {

void DescribeTopDown(BITMAPINFOHEADER& h, int width, int height, int bitCount) {
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = -height;
  h.biPlanes = 1;
  h.biBitCount = WORD(bitCount);
  h.biCompression = BI_RGB;
  h.biSizeImage = 0;
  h.biXPelsPerMeter = 1000;
  h.biYPelsPerMeter = 1000;
  h.biClrUsed = 0;
  h.biClrImportant = 0;
}

}  // namespace ravelight

void Cimage::MakeBMIstruct() {
  if (!m_bmi) m_bmi = static_cast<BITMAPINFO*>(std::calloc(1, sizeof(BITMAPINFO)));
  if (m_bmi) ravelight::DescribeTopDown(m_bmi->bmiHeader, m_width, m_height, 24);
}
