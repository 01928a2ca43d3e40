// The display's depth, the shared display palette, the 8-bit copies drawn through it, and the
// palette a picture would choose for itself on a palette printer.
#include <cstdlib>

#include "Cimage.h"
#include "colour_quantizer.h"
#include "display_palette.h"
#include "dither_matrix.h"
#include "picture_buffer.h"
#include "picture_rows.h"

namespace {

struct LogicalPalette256 {  // LOGPALETTE with room for every entry
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[256];
};

// A palette of entries colours from the map; entries past the map's own are black. Nothing may
// collapse onto the system's colours, so that the colours stay as chosen.
HPALETTE MakeLogicalPalette(const ravelight::ColourMap& map, int entries) {
  LogicalPalette256 palette = {0x300, WORD(entries), {}};
  for (int i = 0; i < entries; ++i) {
    const bool used = i < map.count;
    palette.palPalEntry[i] = {used ? map.red[i] : BYTE(0), used ? map.green[i] : BYTE(0),
                              used ? map.blue[i] : BYTE(0), PC_NOCOLLAPSE};
  }
  return ::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
}

int ScreenBitsPerPixel() {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return 0;
  const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
  ::ReleaseDC(nullptr, screen);
  return bits;
}

}  // namespace

int Initialize_Palette() {
  const ravelight::DisplayDepth depth = ravelight::ClassifyDisplay(ScreenBitsPerPixel());
  Cimage::S_16bit_color = depth.highColour;
  ravelight::FillDitherOffsets(depth.highColour);
  Cimage::S_use_palette = depth.usePalette;
  if (HPALETTE palette = MakeLogicalPalette(ravelight::DisplayPaletteColours(), ravelight::kDisplayPaletteSize)) {
    if (Cimage::S_hpal) ::DeleteObject(Cimage::S_hpal);
    Cimage::S_hpal = palette;
  }
  return depth.supported;
}

// The copy's arguments are not consulted: it is always made for the shared palette. Without
// memory for it the picture keeps its old copy or none, and stays as it was.
void Cimage::DitherImage(int, unsigned long*) {
  uint8_t* indices = ravelight::DisplayPaletteIndices(*this);
  if (!indices) return;
  ravelight::DropDisplayCopy(*this);
  m_dispBits = indices;
  m_displayDithered = 0;
}

// Only the first pass runs: the colours are all that is wanted, nothing is mapped.
HPALETTE Cimage::ChoosePalette() {
  if (!ravelight::IsUsable(*this)) return nullptr;
  ravelight::TwoPassQuantizer quantizer;
  if (!quantizer.Start(m_width, 256)) return nullptr;
  const ravelight::PictureRows rows = ravelight::PixelRows(*this);
  for (int y = 0; y < rows.height; ++y) quantizer.CountRow(rows.Row(y));
  return MakeLogicalPalette(quantizer.ChooseColours(), 256);
}
