// Printing a picture stretched into a rectangle of the page.
#include <cstring>
#include <vector>

#include "Cimage.h"
#include "bitmap_header.h"
#include "device_context.h"
#include "picture_buffer.h"
#include "postscript_image.h"

namespace {

// An escape's data carries its length in a 16-bit word ahead of it.
constexpr size_t kPassThroughBlock = 0xFFFF;

bool DriverTakesPostScript(HDC dc) {
  const DWORD escape = PASSTHROUGH;
  return ::ExtEscape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), 0, nullptr) > 0;
}

// A PostScript driver handed a bitmap encodes it itself, in many small writes; the picture as
// PostScript of its own goes through in a few large blocks. False when the driver refused the
// first block: nothing of the picture has reached the page then.
bool PrintAsPostScript(HDC dc, const Cimage& picture, int x, int y, int width, int height) {
  std::vector<char> escape(2 + kPassThroughBlock);
  bool any = false;
  const ravelight::BgrRows rows{picture.m_pixels, picture.m_width, picture.m_height, picture.m_stride};
  const bool whole = ravelight::WritePostScriptImage(
      rows, x, y, width, height, kPassThroughBlock, [&](const char* data, size_t size) {
        const WORD length = WORD(size);
        std::memcpy(escape.data(), &length, sizeof length);
        std::memcpy(escape.data() + 2, data, size);
        const bool sent = ::ExtEscape(dc, PASSTHROUGH, int(size + 2), escape.data(), 0, nullptr) > 0;
        any = any || sent;
        return sent;
      });
  return whole || any;
}

}  // namespace

// The rows go to the printer as they are, described top-down in a header of its own: neither
// the pixels nor m_bmi are touched, so nothing is left upside down if the driver fails. Palette
// printers get the picture's own palette for the call; without one it prints all the same. The
// palette is chosen from every pixel, so a true-colour printer, which has no use for it, goes without.
// A driver that takes PostScript gets the picture as PostScript; the bitmap is what every other
// driver gets, and what a PostScript driver gets when it refuses the PostScript.
void Cimage::PrintImage(CDC* cdc, int x, int y, int width, int height) {
  HDC dc = cdc ? cdc->GetSafeHdc() : nullptr;
  if (!ravelight::IsUsable(*this) || !dc) return;
  if (DriverTakesPostScript(dc) && PrintAsPostScript(dc, *this, x, y, width, height)) return;
  const bool usesPalette = (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
  GdiObject<HPALETTE> palette(usesPalette ? ChoosePalette() : nullptr);
  HPALETTE previous = palette.get() ? ::SelectPalette(dc, palette.get(), FALSE) : nullptr;
  BITMAPINFO header = {};
  ravelight::DescribeTopDown(header.bmiHeader, m_width, m_height, 24);
  ::StretchDIBits(dc, x, y, width, height, 0, 0, m_width, m_height, m_pixels, &header, DIB_RGB_COLORS, SRCCOPY);
  if (previous) ::SelectPalette(dc, previous, FALSE);
}
