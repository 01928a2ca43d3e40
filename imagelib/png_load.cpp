// Decoding PNG files through libpng. Every colour type and depth becomes 8-bit blue, green, red;
// alpha, from a channel or a transparency chunk, is dropped rather than blended.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <png.h>

#include "Cimage.h"
#include "bilinear_fit.h"
#include "data_bound.h"
#include "load_state.h"
#include "picture_buffer.h"
#include "picture_limits.h"
#include "png_errors.h"
#include "scale_fraction.h"
#include "stream_size.h"

namespace {

constexpr size_t kSignatureSize = 8;

struct DecodeJob {
  png_structp png;
  png_infop info;
  uint8_t* band;  // decoded rows that are not yet blue, green, red
};

using ravelight::IgnorePngWarning;
using ravelight::JumpBackOnPngError;

bool HasPngSignature(FILE* stream) {
  png_byte signature[kSignatureSize];
  return std::fread(signature, 1, kSignatureSize, stream) == kSignatureSize &&
         png_sig_cmp(signature, 0, kSignatureSize) == 0;
}

// Afterwards a row holds 1 (grey), 2 (grey, alpha), 3 (blue, green, red) or 4 (and alpha)
// bytes a pixel.
void ChooseTransforms(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (colourType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
}

// A decoded row of 1, 2 or 4 bytes a pixel into the picture's row: grey goes to all three
// channels, alpha is left out.
void StoreRow(const uint8_t* in, int bytesPerPixel, int width, uint8_t* out) {
  for (int x = 0; x < width; ++x, in += bytesPerPixel, out += 3) {
    const bool grey = bytesPerPixel < 3;
    out[0] = in[0];
    out[1] = grey ? in[0] : in[1];
    out[2] = grey ? in[0] : in[2];
  }
}

// Rows of three bytes a pixel are decoded straight into the picture. Others go through a band:
// one row, or the whole picture when interlacing needs every row kept until the last pass.
bool ReadRows(DecodeJob* job, Cimage& picture, size_t rowBytes, int bytesPerPixel, int passes) {
  const bool straight = bytesPerPixel == 3;
  const int64_t bandRows = passes > 1 ? picture.m_height : 1;
  if (!straight) {
    const uint64_t bandBytes = uint64_t(rowBytes) * uint64_t(bandRows);
    if (bandBytes > SIZE_MAX) return false;
    job->band = static_cast<uint8_t*>(std::malloc(size_t(bandBytes)));
    if (!job->band) return false;
  }
  for (int pass = 0; pass < passes; ++pass)
    for (int y = 0; y < picture.m_height; ++y) {
      uint8_t* out = picture.m_pixels + size_t(y) * picture.m_stride;
      uint8_t* row = straight ? out : job->band + size_t(bandRows > 1 ? y : 0) * rowBytes;
      png_read_row(job->png, row, nullptr);
      if (!straight && pass == passes - 1) StoreRow(row, bytesPerPixel, picture.m_width, out);
    }
  return true;
}

// The rows of a picture read one pass top to bottom, as blue, green, red, decoded as they are
// asked for: the thumbnail fit takes them without the picture ever being held. libpng's errors
// jump back into Row, which owns nothing, and end the rows.
class PngRows : public ravelight::RowSource {
 public:
  PngRows(DecodeJob* job, int width, int height, size_t rowBytes, int bytesPerPixel)
      : job_(job), width_(width), height_(height), rowBytes_(rowBytes), bytesPerPixel_(bytesPerPixel) {
    job_->band = static_cast<uint8_t*>(std::malloc(rowBytes + 2 * 3 * size_t(width)));
  }
  explicit operator bool() const { return job_->band != nullptr; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  const uint8_t* Row(int y) override {
    uint8_t* out = job_->band + rowBytes_ + size_t(y & 1) * 3 * size_t(width_);
    if (held_[y & 1] == y) return out;
    if (setjmp(png_jmpbuf(job_->png))) return nullptr;
    for (; next_ <= y; ++next_) {
      const bool straight = bytesPerPixel_ == 3;
      uint8_t* to = job_->band + rowBytes_ + size_t(next_ & 1) * 3 * size_t(width_);
      png_read_row(job_->png, straight ? to : job_->band, nullptr);
      if (!straight) StoreRow(job_->band, bytesPerPixel_, width_, to);
      held_[next_ & 1] = next_;
    }
    return out;
  }

 private:
  DecodeJob* job_;
  int width_, height_;
  size_t rowBytes_;
  int bytesPerPixel_;
  int next_ = 0;
  int held_[2] = {-1, -1};
};

// A thumbnail fit of a picture read in one pass: made while reading, exactly as the fit of the
// whole picture would be. False when the file ended early or memory ran out.
bool FitWhileReading(DecodeJob* job, Cimage& picture, const ravelight::FitPlan& plan, size_t rowBytes,
                     int bytesPerPixel) {
  PngRows rows(job, picture.m_origWidth, picture.m_origHeight, rowBytes, bytesPerPixel);
  if (!rows || !ravelight::IsSanePictureSize(plan.width, plan.height) ||
      !ravelight::HalveAndFitRows(picture, rows, plan.halvings, int(plan.width), int(plan.height)))
    return false;
  for (int i = 0; i < plan.halvings; ++i) ravelight::MultiplyScale(picture.m_scaleDen, picture.m_scaleNum, 2);
  return true;
}

// False when the file is not a picture we can read. Holds nothing that needs a destructor:
// libpng's errors jump straight back to the setjmp here.
bool DecodePicture(DecodeJob* job, Cimage& picture, FILE* stream, int boxWidth, int boxHeight, int mode) {
  png_structp png = job->png;
  png_infop info = job->info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, stream);
  png_set_sig_bytes(png, int(kSignatureSize));
  png_set_user_limits(png, ravelight::kMaxPictureSide, ravelight::kMaxPictureSide);
  // Only the header, palette, transparency and image data matter here. Every other chunk is
  // skipped unread, so one that claims a gigabyte of text costs nothing.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!ravelight::IsSaneStreamedSize(width, height)) return false;
  const ravelight::FitPlan plan = ravelight::PlanFit(int(width), int(height), boxWidth, boxHeight);
  const bool reduces = plan.halvings > 0 || plan.width != int64_t{width} || plan.height != int64_t{height};
  const bool fitWhileReading = mode == 1 && reduces && png_get_interlace_type(png, info) == PNG_INTERLACE_NONE;
  if (!fitWhileReading && !ravelight::IsSanePictureSize(width, height)) return false;
  const uint64_t bitsPerPixel = uint64_t(png_get_channels(png, info)) * png_get_bit_depth(png, info);
  const uint64_t rawBytes = uint64_t(width) * height * bitsPerPixel / 8;
  const int64_t fileBytes = platform::StreamSizeInPlace(stream);
  if (fileBytes < 0 || !ravelight::DataCanHold(rawBytes, uint64_t(fileBytes), ravelight::kDeflateRatio)) return false;
  picture.m_origWidth = int(width);
  picture.m_origHeight = int(height);

  ChooseTransforms(png, info);
  const int passes = png_set_interlace_handling(png);  // 1 whenever the fit is made while reading
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  const size_t bytesPerPixel = rowBytes / width;
  if (rowBytes % width != 0 || bytesPerPixel < 1 || bytesPerPixel > 4) return false;
  if (fitWhileReading) return FitWhileReading(job, picture, plan, rowBytes, int(bytesPerPixel));
  if (!ravelight::AttachNewPixels(picture, int(width), int(height))) return false;
  return ReadRows(job, picture, rowBytes, int(bytesPerPixel), passes);
}

}  // namespace

void Cimage::LoadPNG(FILE* stream, int width, int height, int mode) {
  ravelight::BeginFreshLoad(*this);
  DecodeJob job{};
  if (HasPngSignature(stream))
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBackOnPngError, IgnorePngWarning);
  if (job.png) job.info = png_create_info_struct(job.png);
  if (job.info && DecodePicture(&job, *this, stream, width, height, mode))
    MakeBMIstruct();
  else
    ravelight::FailLoad(*this);
  png_destroy_read_struct(&job.png, &job.info, nullptr);
  std::free(job.band);
}
