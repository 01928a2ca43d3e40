#include "tiff_bands.h"

#include <algorithm>
#include <cstdlib>

#include "tiff_cmyk.h"

namespace ravelight {
namespace {

// The flips libtiff's reader makes to put the top-left pixel first (it does not transpose).
bool StoredBottomUp(uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_BOTLEFT:
    case ORIENTATION_RIGHTBOT:
    case ORIENTATION_LEFTBOT: return true;
    default: return false;
  }
}

bool StoredRightToLeft(uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_TOPRIGHT:
    case ORIENTATION_RIGHTTOP:
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_RIGHTBOT: return true;
    default: return false;
  }
}

// Photometric kinds whose decoded samples the RGBA reader converts pixel by pixel, with no
// change of the codec's own output; YCbCr (subsampled in blocks of rows, or turned to RGB by the
// JPEG codec) and the log-luminance kinds go through the reader itself.
bool ConvertsRowByRow(TIFF* tif, const TIFFRGBAImage& image) {
  uint16_t photometric = 0, compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  if (!image.isContig || !image.put.contig || !TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) ||
      compression == COMPRESSION_OJPEG || compression == COMPRESSION_JPEG)
    return false;
  switch (photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_RGB:
    case PHOTOMETRIC_PALETTE:
    case PHOTOMETRIC_SEPARATED: return photometric == image.photometric;
    default: return false;
  }
}

void StoreBgr(uint32_t packed, uint8_t* out) {
  out[0] = uint8_t(TIFFGetB(packed));
  out[1] = uint8_t(TIFFGetG(packed));
  out[2] = uint8_t(TIFFGetR(packed));
}

void PackedToBgr(const uint32_t* in, uint32_t width, uint8_t* out) {
  for (uint32_t x = 0; x < width; ++x) StoreBgr(in[x], out + 3 * size_t(x));
}

void ReverseBgr(uint8_t* row, uint32_t width) {
  for (uint8_t *left = row, *right = row + 3 * size_t(width) - 3; left < right; left += 3, right -= 3)
    std::swap_ranges(left, left + 3, right);
}

}  // namespace

TiffBands::~TiffBands() {
  if (begun_) TIFFRGBAImageEnd(&image_);
  std::free(packed_);
  std::free(bgr_);
}

bool TiffBands::Begin(TIFF* tif, uint32_t width, uint32_t height) {
  char message[1024];
  if (!TIFFRGBAImageBegin(&image_, tif, 1, message)) return false;
  begun_ = true;
  UseOwnCmykConversion(&image_);
  image_.req_orientation = ORIENTATION_TOPLEFT;
  width_ = width;
  height_ = height;
  bottomUp_ = StoredBottomUp(image_.orientation);
  bgr_ = static_cast<uint8_t*>(std::malloc(3 * size_t(width)));
  if (!bgr_) return false;
  direct_ = ConvertsRowByRow(tif, image_);
  if (!direct_) return BeginRgbaBands(tif);
  rightToLeft_ = StoredRightToLeft(image_.orientation);
  plainRgb_ = image_.photometric == PHOTOMETRIC_RGB && image_.bitspersample == 8 &&
              image_.alpha != EXTRASAMPLE_UNASSALPHA;
  packed_ = static_cast<uint32_t*>(std::malloc(size_t(width) * sizeof(uint32_t)));
  return packed_ && samples_.Begin(tif, height, !bottomUp_);
}

bool TiffBands::BeginRgbaBands(TIFF* tif) {
  const uint32_t unit = TiffRowsPerUnit(tif, height_);
  const uint64_t unitBytes = uint64_t{unit} * width_ * sizeof(uint32_t);
  const uint64_t units = std::max<uint64_t>(1, kTiffBandBytes / unitBytes);
  bandRows_ = uint32_t(std::min<uint64_t>(units * unit, height_));
  const uint64_t bytes = uint64_t{bandRows_} * width_ * sizeof(uint32_t);
  if (bytes <= SIZE_MAX) packed_ = static_cast<uint32_t*>(std::malloc(size_t(bytes)));
  return packed_ != nullptr;
}

const uint8_t* TiffBands::Row(uint32_t y) {
  const uint32_t fileRow = bottomUp_ ? height_ - 1 - y : y;
  if (direct_) return ConvertedRow(fileRow);
  const uint32_t* packed = RgbaRow(fileRow);
  if (!packed) return nullptr;
  PackedToBgr(packed, width_, bgr_);
  return bgr_;
}

const uint8_t* TiffBands::ConvertedRow(uint32_t fileRow) {
  const uint8_t* in = samples_.Row(fileRow);
  if (!in) return nullptr;
  if (plainRgb_) {
    const int step = image_.samplesperpixel;
    for (uint8_t *out = bgr_, *end = bgr_ + 3 * size_t(width_); out < end; out += 3, in += step) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  } else {
    image_.put.contig(&image_, packed_, 0, fileRow, width_, 1, 0, 0, const_cast<uint8_t*>(in));
    PackedToBgr(packed_, width_, bgr_);
  }
  if (rightToLeft_) ReverseBgr(bgr_, width_);
  return bgr_;
}

bool TiffBands::ReadRgbaBandHolding(uint32_t fileRow) {
  first_ = fileRow / bandRows_ * bandRows_;
  count_ = std::min(bandRows_, height_ - first_);
  image_.row_offset = int(first_);
  image_.col_offset = 0;
  if (TIFFRGBAImageGet(&image_, packed_, width_, count_)) return true;
  count_ = 0;
  return false;
}

const uint32_t* TiffBands::RgbaRow(uint32_t fileRow) {
  if ((count_ == 0 || fileRow < first_ || fileRow >= first_ + count_) && !ReadRgbaBandHolding(fileRow)) return nullptr;
  // Within a band flipped the right way round, the file's last row of the band comes first.
  const uint32_t index = bottomUp_ ? first_ + count_ - 1 - fileRow : fileRow - first_;
  return packed_ + size_t(index) * width_;
}

}  // namespace ravelight
