// Reading TIFF files a band at a time, straight into the picture,
// at half size when a thumbnail or window load asks for a box much smaller than the picture.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Cimage.h"
#include "bilinear_fit.h"
#include "data_bound.h"
#include "load_state.h"
#include "picture_buffer.h"
#include "picture_limits.h"
#include "scale_fraction.h"
#include "tiff_bands.h"
#include "tiff_library.h"

namespace {

bool CopyFullSize(ravelight::TiffBands& bands, Cimage& picture) {
  for (int y = 0; y < picture.m_height; ++y) {
    const uint8_t* in = bands.Row(uint32_t(y));
    if (!in) return false;
    std::copy(in, in + 3 * size_t(picture.m_width), picture.m_pixels + size_t(y) * picture.m_stride);
  }
  return true;
}

// Each pixel is the truncated mean of a 2 × 2 block; an odd last row or column is paired with
// itself. Rows of the half-size picture, made as they are asked for; the upper row of each pair is
// kept aside, since the lower one may start a new band.
class HalfRows : public ravelight::RowSource {
 public:
  HalfRows(ravelight::TiffBands& bands, uint32_t width, uint32_t height)
      : bands_(bands), width_(width), height_(height),
        upper_(static_cast<uint8_t*>(std::malloc(3 * size_t(width)))),
        out_(static_cast<uint8_t*>(std::malloc(2 * 3 * size_t(Width())))) {}
  ~HalfRows() override {
    std::free(upper_);
    std::free(out_);
  }
  HalfRows(const HalfRows&) = delete;
  HalfRows& operator=(const HalfRows&) = delete;

  explicit operator bool() const { return upper_ && out_; }
  int Width() const override { return int((width_ + 1) / 2); }
  int Height() const override { return int((height_ + 1) / 2); }

  // Made into one of two buffers, so the row before stays valid.
  const uint8_t* Row(int y) override { return MakeRow(y, out_ + size_t(y & 1) * 3 * size_t(Width())); }

  const uint8_t* MakeRow(int y, uint8_t* out) {
    const uint8_t* top = bands_.Row(2 * uint32_t(y));
    if (!top) return nullptr;
    std::copy(top, top + 3 * size_t(width_), upper_);
    const uint8_t* bottom = bands_.Row(std::min<uint32_t>(2 * y + 1, height_ - 1));
    if (!bottom) return nullptr;
    for (int x = 0; x < Width(); ++x) {
      const size_t left = 6 * size_t(x), right = 3 * size_t(std::min<uint32_t>(2 * x + 1, width_ - 1));
      for (int c = 0; c < 3; ++c)
        out[3 * x + c] = uint8_t((upper_[left + c] + upper_[right + c] + bottom[left + c] + bottom[right + c]) / 4);
    }
    return out;
  }

 private:
  ravelight::TiffBands& bands_;
  uint32_t width_, height_;
  uint8_t* upper_;
  uint8_t* out_;
};

bool CopyHalfSize(HalfRows& rows, Cimage& picture) {
  for (int y = 0; y < picture.m_height; ++y)
    if (!rows.MakeRow(y, picture.m_pixels + size_t(y) * picture.m_stride)) return false;
  return true;
}

// A thumbnail fit of the half-size picture, made while reading: exactly the fit the whole
// half-size picture would get, without it ever being held.
bool FitWhileReading(HalfRows& rows, Cimage& picture, const ravelight::FitPlan& plan) {
  if (!ravelight::IsSanePictureSize(plan.width, plan.height) ||
      !ravelight::HalveAndFitRows(picture, rows, plan.halvings, int(plan.width), int(plan.height)))
    return false;
  for (int i = 0; i < plan.halvings; ++i) ravelight::MultiplyScale(picture.m_scaleDen, picture.m_scaleNum, 2);
  return true;
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
  if (!ravelight::IsSaneStreamedSize(width, height) || !FileCanHold(tif, width, height)) return false;
  const bool half = WantsHalfSize(picture, width, height, boxWidth, boxHeight, mode);
  const int halfWidth = int((width + 1) / 2), halfHeight = int((height + 1) / 2);
  const ravelight::FitPlan plan = ravelight::PlanFit(halfWidth, halfHeight, boxWidth, boxHeight);
  const bool fitWhileReading =
      half && mode == 1 && (plan.halvings > 0 || plan.width != halfWidth || plan.height != halfHeight);
  if (!fitWhileReading && !ravelight::IsSanePictureSize(width, height)) return false;
  picture.m_origWidth = int(width);
  picture.m_origHeight = int(height);
  ravelight::TiffBands bands;
  if (!bands.Begin(tif, width, height)) return false;

  if (!half) return ravelight::AttachNewPixels(picture, int(width), int(height)) && CopyFullSize(bands, picture);
  HalfRows rows(bands, width, height);
  if (!rows) return false;
  picture.m_scaleDen = 2;
  if (fitWhileReading) return FitWhileReading(rows, picture, plan);
  return ravelight::AttachNewPixels(picture, halfWidth, halfHeight) && CopyHalfSize(rows, picture);
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
