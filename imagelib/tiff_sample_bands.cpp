#include "tiff_sample_bands.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ravelight {

uint32_t TiffRowsPerUnit(TIFF* tif, uint32_t height) {
  uint32_t rows = 0;
  if (TIFFIsTiled(tif))
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &rows);
  else
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rows);
  return rows == 0 || rows > height ? height : rows;
}

TiffSampleBands::~TiffSampleBands() {
  std::free(band_);
  std::free(tile_);
}

bool TiffSampleBands::Begin(TIFF* tif, uint32_t height, bool fileOrder) {
  tif_ = tif;
  height_ = height;
  unit_ = TiffRowsPerUnit(tif, height);
  rowBytes_ = TIFFScanlineSize64(tif);
  if (rowBytes_ == 0) return false;
  const uint64_t unitBytes = uint64_t{unit_} * rowBytes_;
  scanlines_ = fileOrder && !TIFFIsTiled(tif) && unitBytes > kTiffBandBytes;
  const uint64_t rows = scanlines_ ? std::max<uint64_t>(1, kTiffBandBytes / rowBytes_)
                                   : std::max<uint64_t>(1, kTiffBandBytes / unitBytes) * unit_;
  bandRows_ = uint32_t(std::min<uint64_t>(rows, height));
  const uint64_t bytes = uint64_t{bandRows_} * rowBytes_;
  if (bytes > SIZE_MAX) return false;
  band_ = static_cast<uint8_t*>(std::malloc(size_t(bytes)));
  if (TIFFIsTiled(tif)) {
    const uint64_t tileBytes = TIFFTileSize64(tif);
    tile_ = tileBytes && tileBytes <= SIZE_MAX ? static_cast<uint8_t*>(std::malloc(size_t(tileBytes))) : nullptr;
    return band_ && tile_;
  }
  return band_ != nullptr;
}

const uint8_t* TiffSampleBands::Row(uint32_t fileRow) {
  if ((count_ == 0 || fileRow < first_ || fileRow >= first_ + count_) && !ReadBandHolding(fileRow)) return nullptr;
  return band_ + (fileRow - first_) * rowBytes_;
}

bool TiffSampleBands::ReadBandHolding(uint32_t fileRow) {
  first_ = fileRow / bandRows_ * bandRows_;
  count_ = std::min(bandRows_, height_ - first_);
  const bool read = scanlines_ ? ReadScanlines() : TIFFIsTiled(tif_) ? ReadTiles() : ReadStrips();
  if (!read) count_ = 0;
  return read;
}

bool TiffSampleBands::ReadStrips() {
  for (uint32_t row = first_; row < first_ + count_; row += unit_) {
    const uint32_t rows = std::min(unit_, height_ - row);
    const tmsize_t bytes = tmsize_t(rows * rowBytes_);
    uint8_t* at = band_ + (row - first_) * rowBytes_;
    if (TIFFReadEncodedStrip(tif_, TIFFComputeStrip(tif_, row, 0), at, bytes) != bytes) return false;
  }
  return true;
}

bool TiffSampleBands::ReadScanlines() {
  for (uint32_t row = first_; row < first_ + count_; ++row)
    if (TIFFReadScanline(tif_, band_ + (row - first_) * rowBytes_, row, 0) < 0) return false;
  return true;
}

// Each tile's rows are copied to their place in the band's rows; tiles may reach past the
// image's right and bottom edges.
bool TiffSampleBands::ReadTiles() {
  uint32_t width = 0, tileWidth = 0;
  uint16_t samples = 1, bits = 1;
  TIFFGetField(tif_, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif_, TIFFTAG_TILEWIDTH, &tileWidth);
  TIFFGetFieldDefaulted(tif_, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif_, TIFFTAG_BITSPERSAMPLE, &bits);
  const uint64_t tileRowBytes = TIFFTileRowSize64(tif_);
  if (tileWidth == 0 || tileRowBytes == 0) return false;
  for (uint32_t top = first_; top < first_ + count_; top += unit_)
    for (uint32_t left = 0; left < width; left += tileWidth) {
      if (TIFFReadEncodedTile(tif_, TIFFComputeTile(tif_, left, top, 0, 0), tile_, tmsize_t(-1)) < 0) return false;
      const uint64_t offset = uint64_t{left} * samples * bits / 8;
      const size_t bytes = size_t(std::min(tileRowBytes, rowBytes_ - offset));
      for (uint32_t y = top; y < std::min(top + unit_, height_); ++y)
        std::memcpy(band_ + (y - first_) * rowBytes_ + offset, tile_ + (y - top) * tileRowBytes, bytes);
    }
  return true;
}

}  // namespace ravelight
