// Writing a picture as an 8-bit RGB TIFF in one strip, compressed as the library settings say.
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "picture_buffer.h"
#include "tiff_library.h"

namespace {

uint16_t CompressionFromSettings() {
  switch (Cimage::S_tifcompression) {
    case 0:
      return COMPRESSION_NONE;
    case 1:
      return COMPRESSION_LZW;
    default:
      return COMPRESSION_PACKBITS;
  }
}

// With no resolution unit only the ratio of the two resolutions means anything: square pixels.
constexpr double kResolution = 1.0;

bool WriteTags(TIFF* tif, const Cimage& picture, const char* documentName) {
  const uint32_t width = uint32_t(picture.m_width), height = uint32_t(picture.m_height);
  return TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) &&
         TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) &&
         TIFFSetField(tif, TIFFTAG_COMPRESSION, CompressionFromSettings()) &&
         TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) &&
         TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
         TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) &&
         TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
         TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
         TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height) &&
         TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_NONE) &&
         TIFFSetField(tif, TIFFTAG_XRESOLUTION, kResolution) &&
         TIFFSetField(tif, TIFFTAG_YRESOLUTION, kResolution) &&
         TIFFSetField(tif, TIFFTAG_DOCUMENTNAME, documentName) && TIFFSetField(tif, TIFFTAG_SOFTWARE, "None");
}

// Rows go out red, green, blue; the first failed write ends the picture.
bool WriteRows(TIFF* tif, const Cimage& picture) {
  uint8_t* row = static_cast<uint8_t*>(std::malloc(size_t(picture.m_width) * 3));
  bool written = row != nullptr;
  for (int y = 0; written && y < picture.m_height; ++y) {
    const uint8_t* in = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int x = 0; x < picture.m_width; ++x) {
      row[3 * x] = in[3 * x + 2];
      row[3 * x + 1] = in[3 * x + 1];
      row[3 * x + 2] = in[3 * x];
    }
    written = TIFFWriteScanline(tif, row, uint32_t(y), 0) >= 0;
  }
  std::free(row);
  return written;
}

}  // namespace

void Cimage::SaveTIF(const char* path) { SaveTIF(path, path); }

void Cimage::SaveTIF(const char* path, const char* documentName) {
  if (!ravelight::IsUsable(*this)) {
    m_saveError = 1;
    return;
  }
  TIFF* tif = ravelight::OpenTiffToWrite(path);
  if (!tif) {
    m_saveError = 1;
    return;
  }
  // TIFFClose reports nothing, so the last strip and the directory are flushed here first.
  if (!WriteTags(tif, *this, documentName) || !WriteRows(tif, *this) || !TIFFFlush(tif)) m_saveError = 1;
  TIFFClose(tif);
}
