#include "tiff_bands.h"

#include <algorithm>
#include <cstdlib>

#include "tiff_cmyk.h"

namespace ravelight {
namespace {

// Bands of about this many bytes, but never less than one strip or row of tiles.
constexpr uint64_t kBandBytes = uint64_t{8} << 20;

// Orientations libtiff's reader flips vertically to put the top row first (it does not transpose).
bool StoredBottomUp(TIFF* tif) {
  uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  switch (orientation) {
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_BOTLEFT:
    case ORIENTATION_RIGHTBOT:
    case ORIENTATION_LEFTBOT: return true;
    default: return false;
  }
}

uint32_t RowsPerUnit(TIFF* tif, uint32_t height) {
  uint32_t rows = 0;
  if (TIFFIsTiled(tif))
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &rows);
  else
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rows);
  return rows == 0 || rows > height ? height : rows;
}

}  // namespace

TiffBands::~TiffBands() {
  if (begun_) TIFFRGBAImageEnd(&image_);
  std::free(band_);
}

bool TiffBands::Begin(TIFF* tif, uint32_t width, uint32_t height) {
  char message[1024];
  if (!TIFFRGBAImageBegin(&image_, tif, 1, message)) return false;
  begun_ = true;
  UseOwnCmykConversion(&image_);
  image_.req_orientation = ORIENTATION_TOPLEFT;
  width_ = width;
  height_ = height;
  bottomUp_ = StoredBottomUp(tif);
  unit_ = RowsPerUnit(tif, height);
  const uint64_t unitBytes = uint64_t{unit_} * width * sizeof(uint32_t);
  const uint64_t units = std::max<uint64_t>(1, kBandBytes / unitBytes);
  bandRows_ = uint32_t(std::min<uint64_t>(units * unit_, height));
  const uint64_t bytes = uint64_t{bandRows_} * width * sizeof(uint32_t);
  if (bytes <= SIZE_MAX) band_ = static_cast<uint32_t*>(std::malloc(size_t(bytes)));
  return band_ != nullptr;
}

bool TiffBands::ReadBandHolding(uint32_t fileRow) {
  first_ = fileRow / bandRows_ * bandRows_;
  count_ = std::min(bandRows_, height_ - first_);
  image_.row_offset = int(first_);
  image_.col_offset = 0;
  if (TIFFRGBAImageGet(&image_, band_, width_, count_)) return true;
  count_ = 0;
  return false;
}

const uint32_t* TiffBands::Row(uint32_t y) {
  const uint32_t fileRow = bottomUp_ ? height_ - 1 - y : y;
  if ((count_ == 0 || fileRow < first_ || fileRow >= first_ + count_) && !ReadBandHolding(fileRow)) return nullptr;
  // Within a band flipped the right way round, the file's last row of the band comes first.
  const uint32_t index = bottomUp_ ? first_ + count_ - 1 - fileRow : fileRow - first_;
  return band_ + size_t(index) * width_;
}

}  // namespace ravelight
