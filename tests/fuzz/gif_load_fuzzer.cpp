// Feeds arbitrary bytes to the GIF decoder and, when a picture of moderate size comes out,
// steps its animation through a few frames and ends it.
#include <cstdint>
#include <cstdio>

#include "Cimage.h"
#include "cimage_test_access.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!stream) return 0;
  Cimage picture;
  picture.m_valid = 1;
  picture.m_components = 3;
  CimageTestAccess::LoadGIF(picture, stream);
  std::fclose(stream);
  if (picture.m_loadError || !picture.m_animated) return 0;
  // Stepping a huge canvas costs time without reaching new code.
  if (int64_t{picture.m_width} * picture.m_height <= int64_t{1} << 20)
    for (int i = 0; i < 8; ++i) picture.NextFrame();
  picture.NoAnimation();
  picture.NextFrame();
  return 0;
}
