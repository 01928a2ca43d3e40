// Construction, copying and release of a picture.
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "gif_decoder.h"
#include "picture_buffer.h"

namespace {

// Geometry, scale, file facts and a deep copy of the pixels. A copy that cannot get its memory
// is marked as a failed load, so nobody takes it for a picture.
void CopyPicture(const Cimage& from, Cimage& to) {
  to.m_scaleNum = from.m_scaleNum;
  to.m_scaleDen = from.m_scaleDen;
  to.m_height = from.m_height;
  to.m_width = from.m_width;
  to.m_stride = from.m_stride;
  to.m_origWidth = from.m_origWidth;
  to.m_origHeight = from.m_origHeight;
  to.m_fileSize = from.m_fileSize;
  to.m_components = from.m_components;
  if (!from.m_pixels) return;
  if (!ravelight::AttachNewPixels(to, from.m_width, from.m_height)) {
    to.m_loadError = 1;
    return;
  }
  std::memcpy(to.m_pixels, from.m_pixels, size_t(to.m_stride) * size_t(to.m_height));
}

}  // namespace

Cimage::Cimage()
    : m_origHeight(0), m_origWidth(0), m_height(0), m_width(0), m_stride(0), m_components(0),
      m_valid(0), m_loadError(0), m_saveError(0), m_animated(0), m_displayDithered(0),
      m_unknownExt(0), m_scaleNum(1), m_scaleDen(1), m_frameDelay(0), m_fileSize(0),
      m_hasOrigQuant(0), m_chromaQuant(), m_lumaQuant(), m_bgR(255), m_bgG(255), m_bgB(255),
      m_pixels(nullptr), m_dispBits(nullptr), m_bmi(nullptr), m_gif(nullptr), m_frameBuf(nullptr),
      m_exif(nullptr), m_exifSize(0) {
  if (!initstatus) S_Init_Tables();
}

Cimage::Cimage(const Cimage* other) : Cimage() {
  if (!other) return;
  m_loadError = other->m_loadError;
  m_valid = other->m_valid;
  m_saveError = other->m_saveError;
  m_unknownExt = other->m_unknownExt;
  CopyPicture(*other, *this);
  MakeBMIstruct();
}

Cimage::Cimage(const Cimage& other) : Cimage(&other) {}

Cimage::~Cimage() { DeleteImage(); }

Cimage& Cimage::operator=(const Cimage& other) {
  if (&other == this) return *this;
  DeleteImage();
  m_loadError = other.m_loadError;
  m_valid = other.m_valid;
  m_unknownExt = other.m_unknownExt;
  m_saveError = other.m_saveError;
  CopyPicture(other, *this);
  m_hasOrigQuant = other.m_hasOrigQuant;
  std::memcpy(m_lumaQuant, other.m_lumaQuant, sizeof m_lumaQuant);
  std::memcpy(m_chromaQuant, other.m_chromaQuant, sizeof m_chromaQuant);
  if (m_pixels) MakeBMIstruct();
  return *this;
}


void Cimage::DeleteImage() {
  std::free(m_pixels);
  m_pixels = nullptr;
  std::free(m_frameBuf);
  m_frameBuf = nullptr;
  delete m_gif;
  m_gif = nullptr;
  std::free(m_bmi);
  m_bmi = nullptr;
  EXIFDeleteBuffer();
  ravelight::DropDisplayCopy(*this);
  m_valid = 0;
  m_loadError = 0;
  m_displayDithered = 0;
  m_frameDelay = 0;
  m_animated = 0;
  m_hasOrigQuant = 0;
}

void Cimage::NoAnimation() {
  std::free(m_frameBuf);
  m_frameBuf = nullptr;
  delete m_gif;
  m_gif = nullptr;
  m_animated = 0;
  m_frameDelay = 0;
  ravelight::DropDisplayCopy(*this);
}
