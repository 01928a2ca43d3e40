// Saving a picture as a Windows BMP: 24 bits, or 8 bits with the picture reduced to a palette.
#include "Cimage.h"
#include "bmp_writer.h"
#include "palette_picture.h"
#include "picture_buffer.h"

void Cimage::SaveBMP(FILE* stream, int colormap, int dither) {
  bool written = false;
  if (!colormap) {
    written = ravelight::IsUsable(*this) && ravelight::WriteBmp24(stream, ravelight::PixelRows(*this));
  } else {
    ravelight::PalettePicture reduced;
    written = ravelight::ReduceToPalette(*this, dither != 0, reduced) &&
              ravelight::WriteBmp8(stream, reduced.Rows(), reduced.palette);
  }
  if (!written) m_saveError = 1;
}
