// Feeds arbitrary bytes to the PNG decoder as a file.
#include "cimage_test_access.h"
#include "fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size) FuzzStreamDecoder(data, size, CimageTestAccess::LoadPNG);
  return 0;
}
