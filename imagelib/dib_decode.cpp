// Building a picture from a packed device-independent bitmap (header, colour table, rows), the form
// that BMP files and clipboard bitmaps share. Every kind is decoded here rather than drawn through
// the display, so the colours never depend on the display's depth.

#include "Cimage.h"
#include "dib_decoders.h"
#include "dib_layout.h"
#include "load_state.h"
#include "picture_buffer.h"

namespace {

bool Decode(const uint8_t* dib, size_t size, Cimage& picture) {
  ravelight::DibLayout layout;
  if (!dib || size < ravelight::kDibHeaderSize || !ravelight::DescribeDib(dib, layout) ||
      layout.BitsOffset() > size)
    return false;
  if (!ravelight::AttachNewPixels(picture, layout.width, layout.height)) return false;
  picture.m_origWidth = layout.width;
  picture.m_origHeight = layout.height;
  ravelight::DibPalette palette;
  ravelight::ReadDibPalette(layout, dib, palette);
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
