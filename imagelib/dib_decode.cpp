// Building a picture from a packed device-independent bitmap (header, colour table, rows), the form
// that BMP files and clipboard bitmaps share. Every kind is decoded here rather than drawn through
// the display, so the colours never depend on the display's depth.
#include <cstring>

#include "Cimage.h"
#include "dib_decoders.h"
#include "dib_layout.h"
#include "load_state.h"
#include "picture_buffer.h"

namespace {

void ReadPalette(const ravelight::DibLayout& layout, const uint8_t* dib, ravelight::DibPalette& palette) {
  std::memset(&palette, 0, sizeof palette);
  const uint8_t* entry = dib + ravelight::kDibHeaderSize + layout.maskBytes;
  const uint32_t used = layout.colours < 256 ? layout.colours : 256;
  for (uint32_t i = 0; i < used; ++i, entry += 4) std::memcpy(palette.bgr[i], entry, 3);
}

bool Decode(const uint8_t* dib, size_t size, Cimage& picture) {
  ravelight::DibLayout layout;
  if (!dib || size < ravelight::kDibHeaderSize || !ravelight::DescribeDib(dib, layout) ||
      layout.BitsOffset() > size)
    return false;
  if (!ravelight::AttachNewPixels(picture, layout.width, layout.height)) return false;
  picture.m_origWidth = layout.width;
  picture.m_origHeight = layout.height;
  ravelight::DibPalette palette;
  ReadPalette(layout, dib, palette);
  return layout.IsRunLength() ? ravelight::DecodeDibRuns(layout, dib, size, palette, picture)
                              : ravelight::DecodeDibRows(layout, dib, size, palette, picture);
}

}  // namespace

void Cimage::FromPackedDIB(const void* dib, size_t size) {
  ravelight::BeginFreshLoad(*this);
  if (!Decode(static_cast<const uint8_t*>(dib), size, *this)) {
    ravelight::FailLoad(*this);
    return;
  }
  MakeBMIstruct();
}
