// Drawing a picture at 1:1 on a screen: directly on true-colour displays, through a dithered
// display copy on 15/16-bit displays and through the shared palette on palette displays.
#include "Cimage.h"
#include "bitmap_header.h"
#include "device_context.h"
#include "display_palette.h"
#include "picture_buffer.h"

namespace {

struct PaletteBitmapInfo {  // BITMAPINFO with a full 8-bit colour table
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// The copy's indexes are entries of the shared palette, so its colour table is that palette,
// whichever palette the context holds; GDI then matches each entry to the realised palette.
void DrawPaletteCopy(HDC dc, int x, int y, int width, int height, const uint8_t* indices) {
  PaletteBitmapInfo info = {};
  ravelight::DescribeTopDown(info.header, width, height, 8);
  const ravelight::ColourMap& palette = ravelight::DisplayPaletteColours();
  for (int i = 0; i < palette.count; ++i) info.colours[i] = {palette.blue[i], palette.green[i], palette.red[i], 0};
  ::SetDIBitsToDevice(dc, x, y, width, height, 0, 0, 0, height, indices,
                      reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

}  // namespace

void Cimage::DisplayImage(CDC* dc, int x, int y) { DisplayImage(dc ? dc->GetSafeHdc() : nullptr, x, y); }

// The display copy is the 8-bit kind while m_displayDithered is clear, the dithered 24-bit kind
// while it is set; a copy of the other kind is replaced.
void Cimage::DisplayImage(HDC dc, int x, int y) {
  if (!ravelight::IsUsable(*this) || !dc) return;
  if (S_use_palette) {
    if (!m_dispBits || m_displayDithered) DitherImage(0, nullptr);
    if (m_dispBits && !m_displayDithered) DrawPaletteCopy(dc, x, y, m_width, m_height, m_dispBits);
    return;
  }
  const bool dither = S_16bit_color && S_file_dither16;
  if (dither) AddNoise();
  MakeBMIstruct();
  if (!m_bmi) return;
  const uint8_t* rows = dither && m_displayDithered && m_dispBits ? m_dispBits : m_pixels;
  ::SetDIBitsToDevice(dc, x, y, m_width, m_height, 0, 0, 0, m_height, rows, m_bmi, DIB_RGB_COLORS);
}
