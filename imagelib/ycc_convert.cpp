// Conversion between the blue, green, red pixels and the Y, Cb, Cr layout (Y in blue's place, Cb
// in green's, Cr in red's) that the tone curves and the filters work in, through the JFIF tables.
#include "Cimage.h"
#include "clamp_to_byte.h"
#include "picture_buffer.h"
#include "pixel_walk.h"
#include "ycc_pixel.h"

void Cimage::RGBtoYCC() {
  if (!ravelight::IsUsable(*this)) return;
  ravelight::DropDisplayCopy(*this);
  ravelight::ForEachPixel(*this, [](uint8_t* p) { ravelight::ToYcc(p, p[0], p[1], p[2]); });
}

void Cimage::YCCtoRGB() {
  if (!ravelight::IsUsable(*this)) return;
  ravelight::DropDisplayCopy(*this);
  ravelight::ForEachPixel(*this, [](uint8_t* p) { ravelight::ToBgr(p[0], p[1], p[2], p); });
}

// Callers may pass any int: the chroma values index the tables only once clamped, and Y is added
// in 64 bits so that no value can overflow on its way to the clamp.
unsigned RGBfromYCC(int y, int cb, int cr) {
  Cimage::S_Initialize();
  cb = ravelight::ClampToByte(cb);
  cr = ravelight::ClampToByte(cr);
  const int64_t luma = y;
  const unsigned r = ravelight::ClampToByte(luma + Cimage::Cr_r_tab[cr]);
  const unsigned g = ravelight::ClampToByte(luma + ((Cimage::Cb_g_tab[cb] + Cimage::Cr_g_tab[cr]) >> 16));
  const unsigned b = ravelight::ClampToByte(luma + Cimage::Cb_b_tab[cb]);
  return r << 16 | g << 8 | b;
}
