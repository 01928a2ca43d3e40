// Decoding JPEG files into a picture: DCT-domain downscaling for fast thumbnails (progressive
// files without the scans a thumbnail never reads), and capture of the EXIF segment and the
// quantisation tables on the way.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "data_bound.h"
#include "fit_plan.h"
#include "jpeg_errors.h"
#include "jpeg_scan_filter.h"
#include "large_block_pool.h"
#include "load_size_modes.h"
#include "picture_buffer.h"
#include "shared_reading.h"
#include "stream_size.h"

#include <jerror.h>

namespace {

struct DecodeJob {
  jpeg_decompress_struct cinfo;
  ravelight::JpegErrorTrap errors;
  Cimage* picture;
  uint8_t* segment;  // an APP1 segment being read, until the picture adopts it
  uint8_t* rowBuffer;
  uint8_t* eighthScaleStream;  // the file without the scans a 1/8 decode never reads
};

constexpr uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};

bool IsExifSegment(const uint8_t* block, unsigned size) {
  return block && size >= 2 + sizeof kExifId &&
         std::memcmp(block + 2, kExifId, sizeof kExifId) == 0;
}

// Copies the next count bytes of the stream, refilling the source as needed.
bool ReadSourceBytes(j_decompress_ptr cinfo, uint8_t* to, size_t count) {
  jpeg_source_mgr* src = cinfo->src;
  while (count) {
    if (src->bytes_in_buffer == 0 && !src->fill_input_buffer(cinfo)) return false;
    const size_t n = std::min(count, src->bytes_in_buffer);
    std::memcpy(to, src->next_input_byte, n);
    src->next_input_byte += n;
    src->bytes_in_buffer -= n;
    to += n;
    count -= n;
  }
  return true;
}

// Files often carry several APP1 segments, the camera's EXIF first and XMP after it. The first
// EXIF segment is what the picture keeps; another APP1 is kept only while nothing better is held.
boolean CaptureApp1(j_decompress_ptr cinfo) {
  auto* job = static_cast<DecodeJob*>(cinfo->client_data);
  uint8_t length[2];
  if (!ReadSourceBytes(cinfo, length, 2)) return FALSE;
  const unsigned size = unsigned(length[0]) << 8 | length[1];
  if (size < 2) ERREXIT(cinfo, JERR_BAD_LENGTH);
  job->segment = static_cast<uint8_t*>(std::malloc(size));
  if (!job->segment) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  std::memcpy(job->segment, length, 2);
  if (!ReadSourceBytes(cinfo, job->segment + 2, size - 2)) return FALSE;

  Cimage& picture = *job->picture;
  const bool held = picture.m_exif != nullptr;
  if (!held || (!IsExifSegment(picture.m_exif, picture.m_exifSize) &&
                IsExifSegment(job->segment, size))) {
    picture.EXIFDeleteBuffer();
    picture.m_exif = job->segment;
    picture.m_exifSize = size;
  } else {
    std::free(job->segment);
  }
  job->segment = nullptr;
  return TRUE;
}

// Bounds what the codec may allocate beside the pixels (a progressive file keeps all its
// coefficients), so a hostile header fails instead of exhausting a 32-bit process.
constexpr long kCodecMemoryLimit = 256L << 20;

void CreateDecoder(DecodeJob* job) {
  jpeg_create_decompress(&job->cinfo);
  job->cinfo.mem->max_memory_to_use = kCodecMemoryLimit;
  job->cinfo.client_data = job;
  jpeg_set_marker_processor(&job->cinfo, JPEG_APP0 + 1, CaptureApp1);
}

void ReadHeader(DecodeJob* job, FILE* stream) {
  CreateDecoder(job);
  jpeg_stdio_src(&job->cinfo, stream);
  jpeg_read_header(&job->cinfo, TRUE);
}

// Past this a file is decoded as it stands rather than held in memory whole.
constexpr int64_t kLargestFileHeld = 128 << 20;

// Reads the whole file into the job's buffer and leaves the stream where the decoder had it.
size_t ReadWholeFile(DecodeJob* job, FILE* stream) {
  const long at = std::ftell(stream);
  const int64_t size = platform::StreamSizeInPlace(stream);
  if (at < 0 || size <= 0 || size > kLargestFileHeld) return 0;
  job->eighthScaleStream = static_cast<uint8_t*>(ravelight::TakeLargeBlock(size_t(size)));
  size_t read = 0;
  if (job->eighthScaleStream && std::fseek(stream, 0, SEEK_SET) == 0)
    read = std::fread(job->eighthScaleStream, 1, size_t(size), stream);
  if (std::fseek(stream, at, SEEK_SET) != 0) ERREXIT(&job->cinfo, JERR_FILE_READ);
  return read == size_t(size) ? read : 0;
}

// A progressive file at 1/8: restarts the decoder on the file without the scans it would not
// read. Block smoothing stays off, since it would guess the missing AC coefficients that the
// full file would have supplied (and that the 1/8 transform ignores). A file the scan walk
// cannot follow is left to the decoder as it stands.
void RestartOnEighthScaleScans(DecodeJob* job, FILE* stream) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  cinfo.scale_num = 1;
  cinfo.scale_denom = 8;
  jpeg_calc_output_dimensions(&cinfo);
  ravelight::AcNeeded acNeeded;
  for (int c = 0; c < cinfo.num_components; ++c)
    if (cinfo.comp_info[c].DCT_scaled_size > 1) acNeeded.byComponentId[cinfo.comp_info[c].component_id & 0xFF] = true;
  const size_t size = ReadWholeFile(job, stream);
  const size_t kept = size ? ravelight::KeepEighthScaleScans(job->eighthScaleStream, size, acNeeded) : 0;
  if (!kept) {
    ravelight::GiveBackLargeBlock(job->eighthScaleStream);
    job->eighthScaleStream = nullptr;
    return;
  }
  jpeg_destroy_decompress(&cinfo);
  CreateDecoder(job);
  jpeg_mem_src(&cinfo, job->eighthScaleStream, static_cast<unsigned long>(kept));  // at most kLargestFileHeld
  jpeg_read_header(&cinfo, TRUE);
  cinfo.do_block_smoothing = FALSE;
}

// Arithmetic coding has no such floor: a file of it is taken at its word.
bool FileCanHold(const jpeg_decompress_struct& cinfo, FILE* stream) {
  const int64_t fileBytes = platform::StreamSizeInPlace(stream);
  const uint64_t pixels = uint64_t{cinfo.image_width} * cinfo.image_height;
  return cinfo.arith_code || (fileBytes >= 0 && ravelight::DataCanHold(pixels, uint64_t(fileBytes), ravelight::kJpegPixelsPerByte));
}

// The largest reduction (1, 2, 4 or 8) that still leaves the picture more than 1.5 times the
// box; the width decides first, then the height may reduce further.
int DctScaleDenominator(int fileWidth, int fileHeight, int boxWidth, int boxHeight) {
  int d = 1;
  while (d < 8 && fileWidth / d > 3 * int64_t{boxWidth} / 2) d *= 2;
  while (d < 8 && fileHeight / d > 3 * int64_t{boxHeight} / 2) d *= 2;
  return d;
}

constexpr JDIMENSION kBatch = 16;

bool ReadStraightRows(DecodeJob* job, JDIMENSION count) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  const Cimage& picture = *job->picture;
  JSAMPROW rows[kBatch];
  for (JDIMENSION i = 0; i < count; ++i)
    rows[i] = picture.m_pixels + size_t(cinfo.output_scanline + i) * picture.m_stride;
  return jpeg_read_scanlines(&cinfo, rows, count) != 0;
}

bool ReadCmykRow(DecodeJob* job) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  const Cimage& picture = *job->picture;
  if (!job->rowBuffer) job->rowBuffer = static_cast<uint8_t*>(std::malloc(size_t(cinfo.output_width) * 4));
  if (!job->rowBuffer) return false;
  uint8_t* out = picture.m_pixels + size_t(cinfo.output_scanline) * picture.m_stride;
  JSAMPROW row = job->rowBuffer;
  if (jpeg_read_scanlines(&cinfo, &row, 1) == 0) return false;
  for (JDIMENSION x = 0; x < cinfo.output_width; ++x, out += 3) {
    const uint8_t* ink = job->rowBuffer + 4 * x;
    const unsigned rgb = RGBfromCMYK(ink[0], ink[1], ink[2], ink[3]);
    out[0] = uint8_t(rgb >> 16);
    out[1] = uint8_t(rgb >> 8);
    out[2] = uint8_t(rgb);
  }
  return true;
}

// Reads rows until the picture is complete, or until shortly after a file read row by row ran
// out: past that point the decoder only makes up grey, and a few bytes that claim a huge picture
// would otherwise cost as much as a real one. (A file whose scans are all read before the first
// row, such as a progressive one, has real data for every row and is read to the end.)
bool ReadRows(DecodeJob* job, bool straight) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  const bool endedBeforeRows = job->errors.sourceEnded;
  const JDIMENSION rowsInFlight = 2 * JDIMENSION(cinfo.max_v_samp_factor) * JDIMENSION(cinfo.min_DCT_scaled_size);
  JDIMENSION stopAt = cinfo.output_height;
  while (cinfo.output_scanline < stopAt) {
    if (!endedBeforeRows && job->errors.sourceEnded && stopAt == cinfo.output_height)
      stopAt = std::min(stopAt, cinfo.output_scanline + rowsInFlight);
    const bool read = straight ? ReadStraightRows(job, std::min(kBatch, stopAt - cinfo.output_scanline))
                               : ReadCmykRow(job);
    if (!read) return false;
  }
  return true;
}

// What the decoder itself draws where a file has no data: mid grey.
void FillMissingRows(const jpeg_decompress_struct& cinfo, Cimage& picture) {
  const size_t first = cinfo.output_scanline;
  std::memset(picture.m_pixels + first * picture.m_stride, 128, (size_t(picture.m_height) - first) * picture.m_stride);
}

void KeepQuantTables(const jpeg_decompress_struct& cinfo, Cimage& picture) {
  const JQUANT_TBL* luma = cinfo.quant_tbl_ptrs[0];
  const JQUANT_TBL* chroma = cinfo.quant_tbl_ptrs[1];
  if (!luma || !chroma) return;
  std::copy(luma->quantval, luma->quantval + 64, picture.m_lumaQuant);
  std::copy(chroma->quantval, chroma->quantval + 64, picture.m_chromaQuant);
  picture.m_hasOrigQuant = 1;
}

void DecodePicture(DecodeJob* job, FILE* stream, int width, int height, int mode) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  Cimage& picture = *job->picture;
  ReadHeader(job, stream);
  picture.m_origHeight = int(cinfo.image_height);
  picture.m_origWidth = int(cinfo.image_width);
  if (!FileCanHold(cinfo, stream)) {
    picture.m_loadError = 1;
    return;
  }

  const bool thumbnailScale = mode == 1 || mode == 2;
  const bool frameScale = mode == ravelight::kFitFrameDecode || mode == ravelight::kCoverFrameDecode;
  const int d = thumbnailScale ? DctScaleDenominator(picture.m_origWidth, picture.m_origHeight, width, height)
                : frameScale   ? ravelight::FrameDecodeDenominator(picture.m_origWidth, picture.m_origHeight, width,
                                                                   height, mode == ravelight::kCoverFrameDecode)
                               : 1;
  if (d == 8 && cinfo.progressive_mode) RestartOnEighthScaleScans(job, stream);
  picture.m_scaleDen = d;
  cinfo.scale_num = 1;
  cinfo.scale_denom = unsigned(d);

  // Grey and colour sources decode straight into the picture's rows as blue, green, red; CMYK
  // goes through our own conversion; nothing else is a picture we can show.
  const J_COLOR_SPACE natural = cinfo.out_color_space;
  const bool straight = natural == JCS_RGB || natural == JCS_GRAYSCALE;
  if (straight) cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  if (!straight && cinfo.output_components != 4) {
    picture.m_loadError = 1;
    return;
  }
  // The buffer holds blue, green, red whatever the source was, CMYK included.
  picture.m_components = natural == JCS_GRAYSCALE ? 1 : 3;
  if (!ravelight::AttachNewPixels(picture, int(cinfo.output_width), int(cinfo.output_height))) {
    picture.m_loadError = 1;
    return;
  }
  if (!ReadRows(job, straight)) {
    picture.m_loadError = 1;
    return;
  }
  KeepQuantTables(cinfo, picture);
  if (cinfo.output_scanline < cinfo.output_height)
    FillMissingRows(cinfo, picture);
  else
    jpeg_finish_decompress(&cinfo);
}

void EndJob(DecodeJob* job) {
  jpeg_destroy_decompress(&job->cinfo);
  std::free(job->rowBuffer);
  std::free(job->segment);
  ravelight::GiveBackLargeBlock(job->eighthScaleStream);
}

}  // namespace

void Cimage::LoadJPEG(FILE* stream, int width, int height, int mode) {
  DecodeJob job{};
  job.picture = this;
  job.cinfo.err = ravelight::ArmSilentErrors(&job.errors);
  if (!ravelight::RunTrapped(&job.errors, [&] { DecodePicture(&job, stream, width, height, mode); }))
    m_loadError = 1;
  EndJob(&job);
}

int Cimage::EXIFLoadBuffer(const char* path) {
  EXIFDeleteBuffer();
  DeleteImage();
  FILE* stream = platform::OpenForSharedReading(path);
  if (!stream) return 0;
  DecodeJob job{};
  job.picture = this;
  job.cinfo.err = ravelight::ArmSilentErrors(&job.errors);
  const bool read = ravelight::RunTrapped(&job.errors, [&] {
    ReadHeader(&job, stream);
    m_origHeight = int(job.cinfo.image_height);
    m_origWidth = int(job.cinfo.image_width);
  });
  EndJob(&job);
  std::fclose(stream);
  if (!read) m_loadError = 1;
  return read ? 1 : 0;
}
