#include "tiff_cmyk.h"

#include <cstdint>

#include "Cimage.h"

namespace {

constexpr uint32_t kOpaque = 0xFFu << 24;

// The raster holds packed pixels as TIFFGetR/G/B read them: red in the low byte, then green,
// blue and alpha. RGBfromCMYK packs red, green, blue the same way.
uint32_t Remapped(uint32_t rgb, const TIFFRGBValue* map) {
  return uint32_t(map[rgb & 0xFF]) | uint32_t(map[(rgb >> 8) & 0xFF]) << 8 |
         uint32_t(map[(rgb >> 16) & 0xFF]) << 16;
}

// libtiff's contiguous put routine: h rows of w pixels from the decoded samples at pp into the
// raster at cp. After each row the samples skip fromskew pixels and the raster toskew pixels
// (negative when the raster is filled upwards). TIFF stores ink amounts, RGBfromCMYK takes them
// inverted.
void PutContig8BitCmyk(TIFFRGBAImage* image, uint32_t* cp, uint32_t, uint32_t, uint32_t w,
                       uint32_t h, int32_t fromskew, int32_t toskew, unsigned char* pp) {
  const int samples = image->samplesperpixel;
  const TIFFRGBValue* map = image->Map;
  for (; h > 0; --h) {
    for (uint32_t x = w; x > 0; --x, pp += samples) {
      uint32_t rgb = RGBfromCMYK(uint8_t(255 - pp[0]), uint8_t(255 - pp[1]), uint8_t(255 - pp[2]),
                                 uint8_t(255 - pp[3]));
      if (map) rgb = Remapped(rgb, map);
      *cp++ = rgb | kOpaque;
    }
    cp += toskew;
    pp += int64_t{fromskew} * samples;
  }
}

}  // namespace

namespace ravelight {

void UseOwnCmykConversion(TIFFRGBAImage* image) {
  // Begin has already refused separated images that are not CMYK ink sets of four or more samples.
  if (image->photometric == PHOTOMETRIC_SEPARATED && image->isContig &&
      image->bitspersample == 8 && image->samplesperpixel >= 4 && image->put.contig)
    image->put.contig = PutContig8BitCmyk;
}

}  // namespace ravelight
