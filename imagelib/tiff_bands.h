#pragma once
// A TIFF's first image read as RGBA rows from the top down, a band of whole strips or whole rows
// of tiles at a time, so that no strip or tile is decoded twice and the whole image is never held.
// libtiff's RGBA reader does the conversion, exactly as for the whole image at once: it turns
// files stored bottom-up (or right to left) the right way round within each band, and the band is
// then taken from the other end of the file.
#include <cstdint>

#include <tiffio.h>

namespace ravelight {

class TiffBands {
 public:
  TiffBands() = default;
  TiffBands(const TiffBands&) = delete;
  TiffBands& operator=(const TiffBands&) = delete;
  ~TiffBands();

  // False when libtiff cannot convert the image or memory ran out.
  bool Begin(TIFF* tif, uint32_t width, uint32_t height);
  // Row y of the picture, packed as TIFFGetR/G/B read them; valid until the next call. Rows are
  // asked for in increasing order. Null when the file could not be read.
  const uint32_t* Row(uint32_t y);

 private:
  bool ReadBandHolding(uint32_t fileRow);

  TIFFRGBAImage image_{};
  bool begun_ = false;
  bool bottomUp_ = false;
  uint32_t width_ = 0, height_ = 0;
  uint32_t unit_ = 0;        // rows per strip, or tile length
  uint32_t bandRows_ = 0;    // a whole number of units
  uint32_t* band_ = nullptr;
  uint32_t first_ = 0, count_ = 0;  // the file rows the band holds
};

}  // namespace ravelight
