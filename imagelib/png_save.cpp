// Saving a picture as a PNG through libpng: 8-bit RGB, or a 256-entry palette image of the
// picture reduced to a palette. Rows are stored unfiltered and compressed as hard as zlib can.
#include <png.h>

#include "Cimage.h"
#include "palette_picture.h"
#include "picture_buffer.h"
#include "png_errors.h"

namespace {

constexpr int kPaletteEntries = 256;

using ravelight::IgnorePngWarning;
using ravelight::JumpBackOnPngError;

void SetPalette(png_structp png, png_infop info, const ravelight::ColourMap& palette) {
  png_color entries[kPaletteEntries] = {};
  for (int i = 0; i < palette.count; ++i) entries[i] = {palette.red[i], palette.green[i], palette.blue[i]};
  png_set_PLTE(png, info, entries, kPaletteEntries);
}

// rows: palette indices when palette is given, else the picture's blue, green, red pixels.
// Nothing here needs cleaning up when libpng jumps back out of it.
bool Encode(png_structp png, png_infop info, FILE* stream, const ravelight::PictureRows& rows,
            const ravelight::ColourMap* palette) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, stream);
  png_set_IHDR(png, info, png_uint_32(rows.width), png_uint_32(rows.height), 8,
               palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (palette) SetPalette(png, info, *palette);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  if (!palette) png_set_bgr(png);
  for (int y = 0; y < rows.height; ++y) png_write_row(png, rows.Row(y));
  png_write_end(png, info);
  return true;
}

bool WritePng(FILE* stream, const ravelight::PictureRows& rows, const ravelight::ColourMap* palette) {
  if (!stream) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBackOnPngError, IgnorePngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool written = info && Encode(png, info, stream, rows, palette);
  png_destroy_write_struct(&png, &info);
  return written && std::fflush(stream) == 0 && !std::ferror(stream);
}

}  // namespace

void Cimage::SavePNG(FILE* stream, int colormap, int dither) {
  bool written = false;
  if (!colormap) {
    written = ravelight::IsUsable(*this) && WritePng(stream, ravelight::PixelRows(*this), nullptr);
  } else {
    ravelight::PalettePicture reduced;
    written = ravelight::ReduceToPalette(*this, dither != 0, reduced) &&
              WritePng(stream, reduced.Rows(), &reduced.palette);
  }
  if (!written) m_saveError = 1;
}
