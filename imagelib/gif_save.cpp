// Saving a picture as a GIF: reduced to at most 256 colours, then written as GIF87a.
#include "Cimage.h"
#include "gif_writer.h"
#include "palette_picture.h"

void Cimage::SaveGIF(FILE* stream, int dither) {
  ravelight::PalettePicture reduced;
  if (!ravelight::ReduceToPalette(*this, dither != 0, reduced) ||
      !ravelight::WriteGif(stream, reduced.Rows(), reduced.palette))
    m_saveError = 1;
}
