// Feeds arbitrary bytes to the PNG decoder.
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
  CimageTestAccess::LoadPNG(picture, stream);
  std::fclose(stream);
  return 0;
}
