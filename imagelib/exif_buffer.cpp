// The raw EXIF segment a picture carries from its JPEG file to the next JPEG it is saved as.
#include <cstdlib>

#include "Cimage.h"

uint8_t* Cimage::EXIFNewBuffer(unsigned int size) {
  EXIFDeleteBuffer();
  if (size == 0) return nullptr;
  m_exif = static_cast<uint8_t*>(std::malloc(size));
  if (m_exif) m_exifSize = size;
  return m_exif;
}

void Cimage::EXIFDeleteBuffer() {
  std::free(m_exif);
  m_exif = nullptr;
  m_exifSize = 0;
}

uint8_t* Cimage::EXIFGetBuffer() { return m_exif; }

unsigned int Cimage::EXIFGetBufferSize() { return m_exifSize; }
