#pragma once
// A TIFF's first image read as rows of blue, green, red from the top down, a band at a time, so
// that the whole image is never held. The colours are always libtiff's own, exactly those of its
// RGBA reader with the orientation it applies (flips; it does not transpose). Samples stored
// together are decoded straight from strips or tiles and converted a row at a time by the RGBA
// reader's own routine; everything else (separate planes, YCbCr, old JPEG) goes through the RGBA
// reader a band of whole strips or rows of tiles at a time, each band taken from the other end of
// the file when the file is stored bottom-up.
#include <cstdint>

#include <tiffio.h>

#include "tiff_sample_bands.h"

namespace ravelight {

class TiffBands {
 public:
  TiffBands() = default;
  TiffBands(const TiffBands&) = delete;
  TiffBands& operator=(const TiffBands&) = delete;
  ~TiffBands();

  // False when libtiff cannot convert the image or memory ran out.
  bool Begin(TIFF* tif, uint32_t width, uint32_t height);
  // Row y of the picture, three bytes a pixel; valid until the next call. Rows are asked for in
  // increasing order. Null when the file could not be read.
  const uint8_t* Row(uint32_t y);

 private:
  bool BeginRgbaBands(TIFF* tif);
  const uint32_t* RgbaRow(uint32_t fileRow);
  bool ReadRgbaBandHolding(uint32_t fileRow);
  const uint8_t* ConvertedRow(uint32_t fileRow);

  TIFFRGBAImage image_{};
  bool begun_ = false;
  bool bottomUp_ = false;
  bool rightToLeft_ = false;  // flipped here only for rows converted one at a time
  bool direct_ = false;       // samples decoded by strip, tile or scanline
  bool plainRgb_ = false;     // 8-bit RGB samples taken as they are
  uint32_t width_ = 0, height_ = 0;
  TiffSampleBands samples_;
  uint32_t* packed_ = nullptr;  // a row, or a band of rows, as the RGBA reader packs them
  uint8_t* bgr_ = nullptr;
  uint32_t bandRows_ = 0;
  uint32_t first_ = 0, count_ = 0;  // the file rows the RGBA band holds
};

}  // namespace ravelight
