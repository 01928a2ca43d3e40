// Reading TIFF files through libtiff's whole-image RGBA reader, at half size when a thumbnail or
// window load asks for a box much smaller than the picture.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "data_bound.h"
#include "load_state.h"
#include "picture_buffer.h"
#include "picture_limits.h"
#include "tiff_cmyk.h"
#include "tiff_library.h"

namespace {

struct Raster {
  uint32_t* pixels;  // packed as TIFFGetR/G/B read them, top row first
  uint32_t width;
  uint32_t height;
};

// Reads the file's first image whole. False when libtiff cannot convert it or memory ran out.
bool ReadRaster(TIFF* tif, Raster& raster) {
  char message[1024];
  TIFFRGBAImage image;
  if (!TIFFRGBAImageBegin(&image, tif, 1, message)) return false;
  ravelight::UseOwnCmykConversion(&image);
  image.req_orientation = ORIENTATION_TOPLEFT;
  const uint64_t bytes = uint64_t{raster.width} * raster.height * sizeof(uint32_t);
  if (bytes <= SIZE_MAX) raster.pixels = static_cast<uint32_t*>(std::malloc(size_t(bytes)));
  const bool read = raster.pixels && TIFFRGBAImageGet(&image, raster.pixels, raster.width, raster.height);
  TIFFRGBAImageEnd(&image);
  return read;
}

void StoreBgr(uint32_t packed, uint8_t* out) {
  out[0] = uint8_t(TIFFGetB(packed));
  out[1] = uint8_t(TIFFGetG(packed));
  out[2] = uint8_t(TIFFGetR(packed));
}

void CopyFullSize(const Raster& raster, Cimage& picture) {
  for (int y = 0; y < picture.m_height; ++y) {
    const uint32_t* in = raster.pixels + size_t(y) * raster.width;
    uint8_t* out = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int x = 0; x < picture.m_width; ++x) StoreBgr(in[x], out + 3 * x);
  }
}

// Each pixel is the truncated mean of a 2 × 2 block; an odd last row or column is paired with
// itself.
void CopyHalfSize(const Raster& raster, Cimage& picture) {
  for (int y = 0; y < picture.m_height; ++y) {
    const uint32_t* top = raster.pixels + size_t(2 * y) * raster.width;
    const uint32_t* bottom = raster.pixels + size_t(std::min<uint32_t>(2 * y + 1, raster.height - 1)) * raster.width;
    uint8_t* out = picture.m_pixels + size_t(y) * picture.m_stride;
    for (int x = 0; x < picture.m_width; ++x, out += 3) {
      const uint32_t left = 2 * x, right = std::min<uint32_t>(2 * x + 1, raster.width - 1);
      const uint32_t block[4] = {top[left], top[right], bottom[left], bottom[right]};
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
}

bool WantsHalfSize(const Cimage& picture, const Raster& raster, int boxWidth, int boxHeight, int mode) {
  if (mode < 1 || mode > 4) return false;
  return 2 * int64_t{boxWidth} * picture.m_scaleDen < raster.width ||
         2 * int64_t{boxHeight} * picture.m_scaleDen < raster.height;
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

bool DecodeTiff(TIFF* tif, Cimage& picture, Raster& raster, int boxWidth, int boxHeight, int mode) {
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &raster.width) ||
      !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &raster.height))
    return false;
  if (!ravelight::IsSanePictureSize(raster.width, raster.height) || !FileCanHold(tif, raster.width, raster.height))
    return false;
  picture.m_origWidth = int(raster.width);
  picture.m_origHeight = int(raster.height);
  if (!ReadRaster(tif, raster)) return false;

  const bool half = WantsHalfSize(picture, raster, boxWidth, boxHeight, mode);
  const int width = int(half ? (raster.width + 1) / 2 : raster.width);
  const int height = int(half ? (raster.height + 1) / 2 : raster.height);
  if (!ravelight::AttachNewPixels(picture, width, height)) return false;
  if (half) {
    picture.m_scaleDen = 2;
    CopyHalfSize(raster, picture);
  } else {
    CopyFullSize(raster, picture);
  }
  return true;
}

}  // namespace

// The loader has measured the file into m_fileSize before this, so the picture's state is
// taken as the loader left it rather than started afresh.
void Cimage::LoadTIF(const char* path, int width, int height, int mode) {
  TIFF* tif = ravelight::OpenTiffToRead(path);
  Raster raster{};
  if (tif && DecodeTiff(tif, *this, raster, width, height, mode))
    MakeBMIstruct();
  else
    ravelight::FailLoad(*this);
  std::free(raster.pixels);
  if (tif) TIFFClose(tif);
}
