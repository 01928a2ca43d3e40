// Reading TIFF files through libtiff's RGBA reader a band at a time, straight into the picture,
// at half size when a thumbnail or window load asks for a box much smaller than the picture.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "data_bound.h"
#include "load_state.h"
#include "picture_buffer.h"
#include "picture_limits.h"
#include "tiff_bands.h"
#include "tiff_library.h"

namespace {

void StoreBgr(uint32_t packed, uint8_t* out) {
  out[0] = uint8_t(TIFFGetB(packed));
  out[1] = uint8_t(TIFFGetG(packed));
  out[2] = uint8_t(TIFFGetR(packed));
}

bool CopyFullSize(ravelight::TiffBands& bands, Cimage& picture) {
  for (int y = 0; y < picture.m_height; ++y) {
    const uint32_t* in = bands.Row(uint32_t(y));
    if (!in) return false;
    uint8_t* out = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int x = 0; x < picture.m_width; ++x) StoreBgr(in[x], out + 3 * x);
  }
  return true;
}

// Each pixel is the truncated mean of a 2 × 2 block; an odd last row or column is paired with
// itself. The upper row of each pair is kept aside, since the lower one may start a new band.
bool CopyHalfSize(ravelight::TiffBands& bands, uint32_t width, uint32_t height, Cimage& picture) {
  uint32_t* upper = static_cast<uint32_t*>(std::malloc(size_t(width) * sizeof(uint32_t)));
  bool read = upper != nullptr;
  for (int y = 0; read && y < picture.m_height; ++y) {
    const uint32_t* top = bands.Row(2 * uint32_t(y));
    if (top) std::copy(top, top + width, upper);
    const uint32_t* bottom = top ? bands.Row(std::min<uint32_t>(2 * y + 1, height - 1)) : nullptr;
    read = bottom != nullptr;
    uint8_t* out = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int x = 0; read && x < picture.m_width; ++x, out += 3) {
      const uint32_t left = 2 * x, right = std::min<uint32_t>(2 * x + 1, width - 1);
      const uint32_t block[4] = {upper[left], upper[right], bottom[left], bottom[right]};
      unsigned blue = 0, green = 0, red = 0;
      for (uint32_t packed : block) {
        blue += TIFFGetB(packed);
        green += TIFFGetG(packed);
        red += TIFFGetR(packed);
      }
      out[0] = uint8_t(blue / 4);
      out[1] = uint8_t(green / 4);
      out[2] = uint8_t(red / 4);
    }
  }
  std::free(upper);
  return read;
}

bool WantsHalfSize(const Cimage& picture, uint32_t width, uint32_t height, int boxWidth, int boxHeight, int mode) {
  if (mode < 1 || mode > 4) return false;
  return 2 * int64_t{boxWidth} * picture.m_scaleDen < width || 2 * int64_t{boxHeight} * picture.m_scaleDen < height;
}

// Whether the file's size can hold the picture its header claims, at its compression's best.
// Bilevel fax codes spend at least a bit on each row; schemes without a known best case pass.
bool FileCanHold(TIFF* tif, uint32_t width, uint32_t height) {
  uint16_t compression = COMPRESSION_NONE, samples = 1, bits = 1;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  const uint64_t fileBytes = TIFFGetSizeProc(tif)(TIFFClientdata(tif));
  const uint64_t pixels = uint64_t{width} * height;
  const uint64_t rawBytes = pixels * samples * bits / 8;
  switch (compression) {
    case COMPRESSION_NONE: return ravelight::DataCanHold(rawBytes, fileBytes, ravelight::kStoredRatio);
    case COMPRESSION_PACKBITS: return ravelight::DataCanHold(rawBytes, fileBytes, ravelight::kPackBitsRatio);
    case COMPRESSION_LZW: return ravelight::DataCanHold(rawBytes, fileBytes, ravelight::kLzwRatio);
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE: return ravelight::DataCanHold(rawBytes, fileBytes, ravelight::kDeflateRatio);
    case COMPRESSION_OJPEG:
    case COMPRESSION_JPEG: return ravelight::DataCanHold(pixels, fileBytes, ravelight::kJpegPixelsPerByte);
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4: return ravelight::DataCanHold(height, fileBytes, 8);
    default: return true;
  }
}

bool DecodeTiff(TIFF* tif, Cimage& picture, int boxWidth, int boxHeight, int mode) {
  uint32_t width = 0, height = 0;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height)) return false;
  if (!ravelight::IsSanePictureSize(width, height) || !FileCanHold(tif, width, height)) return false;
  picture.m_origWidth = int(width);
  picture.m_origHeight = int(height);
  ravelight::TiffBands bands;
  if (!bands.Begin(tif, width, height)) return false;

  const bool half = WantsHalfSize(picture, width, height, boxWidth, boxHeight, mode);
  if (!ravelight::AttachNewPixels(picture, int(half ? (width + 1) / 2 : width), int(half ? (height + 1) / 2 : height)))
    return false;
  if (!half) return CopyFullSize(bands, picture);
  picture.m_scaleDen = 2;
  return CopyHalfSize(bands, width, height, picture);
}

}  // namespace

// The loader has measured the file into m_fileSize before this, so the picture's state is
// taken as the loader left it rather than started afresh.
void Cimage::LoadTIF(const char* path, int width, int height, int mode) {
  TIFF* tif = ravelight::OpenTiffToRead(path);
  if (tif && DecodeTiff(tif, *this, width, height, mode))
    MakeBMIstruct();
  else
    ravelight::FailLoad(*this);
  if (tif) TIFFClose(tif);
}
