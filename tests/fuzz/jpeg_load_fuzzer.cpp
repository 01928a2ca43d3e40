// Feeds arbitrary bytes to the JPEG decoder as a thumbnail load and, for small pictures, as a
// full-size load; whatever decodes is encoded again with its EXIF segment.
#include <cstdint>
#include <cstdio>

#include "Cimage.h"
#include "cimage_test_access.h"

namespace {

void Decode(Cimage& picture, const uint8_t* data, size_t size, int box, int mode) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_components = 3;
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!stream) return;
  CimageTestAccess::LoadJPEG(picture, stream, box, box, mode);
  std::fclose(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  Cimage picture;
  Decode(picture, data, size, 160, 1);
  if (!picture.m_loadError && picture.m_origWidth <= 1024 && picture.m_origHeight <= 1024)
    Decode(picture, data, size, 0, 5);
  if (picture.m_loadError || !picture.m_pixels) return 0;
  Cimage::S_keep_exifinfo = 1;
  if (FILE* sink = std::fopen("/dev/null", "wb")) {
    CimageTestAccess::SaveJPEG(picture, sink, 75, 1);
    std::fclose(sink);
  }
  return 0;
}
