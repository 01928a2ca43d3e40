// The header that describes the pixels to GDI as a 24-bit top-down device-independent bitmap.
#include <cstdlib>

#include "Cimage.h"

void Cimage::MakeBMIstruct() {
  if (!m_bmi) m_bmi = static_cast<BITMAPINFO*>(std::calloc(1, sizeof(BITMAPINFO)));
  if (!m_bmi) return;
  BITMAPINFOHEADER& h = m_bmi->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = m_width;
  h.biHeight = -m_height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  h.biSizeImage = 0;
  h.biXPelsPerMeter = 1000;
  h.biYPelsPerMeter = 1000;
  h.biClrUsed = 0;
  h.biClrImportant = 0;
}
