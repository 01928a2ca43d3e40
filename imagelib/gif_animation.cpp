// GIF pictures: the whole file is read at load (only its first image for a thumbnail that the fit
// shrinks), then its frames are composed on the pixels one at a time, as the caller's timer asks
// for them with the delay the picture reports.
#include <new>

#include "Cimage.h"
#include "byte_order.h"
#include "gif_canvas.h"
#include "gif_decoder.h"
#include "picture_buffer.h"

namespace {

// Whether a thumbnail fit shrinks the picture whatever the images add to the screen (it only
// grows): the animation could never play on the fitted pixels, so the first image is all that is
// decoded.
bool FitAlwaysShrinks(FILE* stream, int boxWidth, int boxHeight, int mode) {
  if (mode != 1 || boxWidth <= 0 || boxHeight <= 0) return false;
  uint8_t header[10];  // signature, then the screen's width and height
  const long start = std::ftell(stream);
  if (start < 0) return false;
  const bool read = std::fread(header, 1, sizeof header, stream) == sizeof header;
  if (std::fseek(stream, start, SEEK_SET) != 0 || !read) return false;
  return ravelight::LittleEndian16(header + 6) > boxWidth || ravelight::LittleEndian16(header + 8) > boxHeight;
}

}  // namespace

void Cimage::LoadGIF(FILE* stream, int width, int height, int mode) {
  NoAnimation();
  m_gif = new (std::nothrow) CGifDecoder;
  if (!m_gif || !m_gif->Read(stream, FitAlwaysShrinks(stream, width, height, mode)) ||
      !ravelight::AttachNewPixels(*this, m_gif->screenWidth, m_gif->screenHeight)) {
    DeleteImage();
    m_loadError = 1;
    return;
  }
  m_origWidth = m_width;
  m_origHeight = m_height;
  m_components = 3;
  m_valid = 1;
  m_scaleNum = 1;
  m_scaleDen = 1;
  CGifDecoder& gif = *m_gif;
  gif.current = gif.first;
  ravelight::FillGifCanvas(*this);
  ravelight::ShowGifFrame(*this, gif, *gif.current);
  if (gif.frameCount > 1) {
    m_animated = 1;
    m_frameDelay = gif.current->control.delay;
  } else {
    NoAnimation();  // nothing more to show: the frame data is of no further use
  }
  MakeBMIstruct();
}

void Cimage::NextFrame() {
  // The canvas must still be the one the frames were composed on.
  if (!m_animated || !m_gif || !m_gif->current || !m_pixels || m_width != m_gif->screenWidth ||
      m_height != m_gif->screenHeight)
    return;
  ravelight::DropDisplayCopy(*this);
  CGifDecoder& gif = *m_gif;
  ravelight::DisposeGifFrame(*this, *gif.current);
  gif.current = gif.current->next ? gif.current->next : gif.first;
  ravelight::ShowGifFrame(*this, gif, *gif.current);
  m_frameDelay = gif.current->control.delay;
  MakeBMIstruct();
}
