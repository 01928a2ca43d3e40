#pragma once
// The decoded samples of a TIFF's first image whose samples are stored together (one plane), in
// file order, a band of whole strips or whole rows of tiles at a time, each strip or tile decoded
// once. A strip too large for a band is read scanline by scanline when the rows are asked for
// from the top of the file down, since codecs decode a strip sequentially.
#include <cstdint>

#include <tiffio.h>

namespace ravelight {

// Bands of about this many bytes, but never less than one strip or row of tiles.
constexpr uint64_t kTiffBandBytes = uint64_t{8} << 20;

// Rows per strip, or the tile length: the rows decoded together.
uint32_t TiffRowsPerUnit(TIFF* tif, uint32_t height);

class TiffSampleBands {
 public:
  TiffSampleBands() = default;
  TiffSampleBands(const TiffSampleBands&) = delete;
  TiffSampleBands& operator=(const TiffSampleBands&) = delete;
  ~TiffSampleBands();

  // False when memory ran out. fileOrder: rows will be asked for in increasing order.
  bool Begin(TIFF* tif, uint32_t height, bool fileOrder);
  // The samples of the file's row, packed as the file packs them (each row starting on a byte);
  // valid until the next call. Null when the file could not be read.
  const uint8_t* Row(uint32_t fileRow);

 private:
  bool ReadBandHolding(uint32_t fileRow);
  bool ReadStrips();
  bool ReadTiles();
  bool ReadScanlines();

  TIFF* tif_ = nullptr;
  uint32_t height_ = 0;
  uint32_t unit_ = 0;       // rows per strip, or tile length
  uint32_t bandRows_ = 0;   // a whole number of units, or of scanlines
  bool scanlines_ = false;
  uint64_t rowBytes_ = 0;
  uint8_t* band_ = nullptr;
  uint8_t* tile_ = nullptr;
  uint32_t first_ = 0, count_ = 0;  // the file rows the band holds
};

}  // namespace ravelight
