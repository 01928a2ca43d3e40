// Printing a picture stretched into a rectangle of the page.
#include "Cimage.h"
#include "bitmap_header.h"
#include "device_context.h"
#include "picture_buffer.h"

// The rows go to the printer as they are, described top-down in a header of its own: neither
// the pixels nor m_bmi are touched, so nothing is left upside down if the driver fails. Palette
// printers get the picture's own palette for the call; without one it prints all the same. The
// palette is chosen from every pixel, so a true-colour printer, which has no use for it, goes without.
void Cimage::PrintImage(CDC* cdc, int x, int y, int width, int height) {
  HDC dc = cdc ? cdc->GetSafeHdc() : nullptr;
  if (!ravelight::IsUsable(*this) || !dc) return;
  const bool usesPalette = (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
  GdiObject<HPALETTE> palette(usesPalette ? ChoosePalette() : nullptr);
  HPALETTE previous = palette.get() ? ::SelectPalette(dc, palette.get(), FALSE) : nullptr;
  BITMAPINFO header = {};
  ravelight::DescribeTopDown(header.bmiHeader, m_width, m_height, 24);
  ::StretchDIBits(dc, x, y, width, height, 0, 0, m_width, m_height, m_pixels, &header, DIB_RGB_COLORS, SRCCOPY);
  if (previous) ::SelectPalette(dc, previous, FALSE);
}
