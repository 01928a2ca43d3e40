// Encoding a picture as a baseline JPEG, with the EXIF segment it came with written first.
#include <algorithm>
#include <cstdlib>

#include "Cimage.h"
#include "jpeg_errors.h"

#include <jerror.h>

namespace {

struct EncodeJob {
  jpeg_compress_struct cinfo;
  ravelight::JpegErrorTrap errors;
  uint8_t* rowBuffer;
};

constexpr unsigned kMaxSegmentSize = 0xFFFF;

bool HasWritableExif(const Cimage& picture) {
  return picture.m_exif && picture.m_exifSize >= 2 && picture.m_exifSize <= kMaxSegmentSize;
}

// The JFIF APP0 segment the library would have written itself, built from the same fields.
void WriteJfifSegment(jpeg_compress_struct& cinfo) {
  const JOCTET jfif[14] = {'J', 'F', 'I', 'F', 0,
                           cinfo.JFIF_major_version, cinfo.JFIF_minor_version, cinfo.density_unit,
                           JOCTET(cinfo.X_density >> 8), JOCTET(cinfo.X_density & 0xFF),
                           JOCTET(cinfo.Y_density >> 8), JOCTET(cinfo.Y_density & 0xFF), 0, 0};
  jpeg_write_marker(&cinfo, JPEG_APP0, jfif, sizeof jfif);
}

// With an EXIF segment the file starts SOI, APP1 (EXIF), APP0 (JFIF), as cameras write it;
// the library's own header writer would put JFIF first, so it is switched off here.
void StartWithHeader(jpeg_compress_struct& cinfo, const Cimage& picture) {
  const bool exif = HasWritableExif(picture);
  if (exif) cinfo.write_JFIF_header = FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  if (!exif) return;
  jpeg_write_marker(&cinfo, JPEG_APP0 + 1, picture.m_exif + 2, picture.m_exifSize - 2);
  WriteJfifSegment(cinfo);
}

void UseLoadedTables(jpeg_compress_struct& cinfo, const Cimage& picture) {
  unsigned luma[64], chroma[64];
  std::copy(picture.m_lumaQuant, picture.m_lumaQuant + 64, luma);
  std::copy(picture.m_chromaQuant, picture.m_chromaQuant + 64, chroma);
  jpeg_add_quant_table(&cinfo, 0, luma, 100, FALSE);
  jpeg_add_quant_table(&cinfo, 1, chroma, 100, FALSE);
}

void WriteColourRows(jpeg_compress_struct& cinfo, const Cimage& picture) {
  constexpr JDIMENSION kBatch = 16;
  JSAMPROW rows[kBatch];
  while (cinfo.next_scanline < cinfo.image_height) {
    const JDIMENSION first = cinfo.next_scanline;
    const JDIMENSION n = std::min(kBatch, cinfo.image_height - first);
    for (JDIMENSION i = 0; i < n; ++i) rows[i] = picture.m_pixels + size_t(first + i) * picture.m_stride;
    jpeg_write_scanlines(&cinfo, rows, n);
  }
}

// A grey picture is saved from its blue channel, whatever colour edits did to the others.
void WriteGreyRows(EncodeJob* job, const Cimage& picture) {
  jpeg_compress_struct& cinfo = job->cinfo;
  job->rowBuffer = static_cast<uint8_t*>(std::malloc(size_t(picture.m_width)));
  if (!job->rowBuffer) ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* in = picture.m_pixels + size_t(cinfo.next_scanline) * picture.m_stride;
    for (int x = 0; x < picture.m_width; ++x) job->rowBuffer[x] = in[3 * x];
    JSAMPROW row = job->rowBuffer;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
}

void EncodePicture(EncodeJob* job, const Cimage& picture, FILE* stream, int quality, bool useOrig) {
  jpeg_compress_struct& cinfo = job->cinfo;
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, stream);
  const bool grey = picture.m_components == 1;
  cinfo.image_width = JDIMENSION(picture.m_width);
  cinfo.image_height = JDIMENSION(picture.m_height);
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (useOrig && picture.m_hasOrigQuant) UseLoadedTables(cinfo, picture);
  StartWithHeader(cinfo, picture);
  if (grey)
    WriteGreyRows(job, picture);
  else
    WriteColourRows(cinfo, picture);
  jpeg_finish_compress(&cinfo);
}

}  // namespace

void Cimage::SaveJPEG(FILE* stream, int quality, int useOrig) {
  if (!S_keep_exifinfo) EXIFDeleteBuffer();
  if (!m_pixels || m_width <= 0 || m_height <= 0) {
    m_saveError = 1;
    return;
  }
  EncodeJob job{};
  job.cinfo.err = ravelight::ArmSilentErrors(&job.errors);
  if (!ravelight::RunTrapped(&job.errors, [&] { EncodePicture(&job, *this, stream, quality, useOrig != 0); }))
    m_saveError = 1;
  jpeg_destroy_compress(&job.cinfo);
  std::free(job.rowBuffer);
}
