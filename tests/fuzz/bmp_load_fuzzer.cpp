// Feeds arbitrary bytes to the BMP reader as a file, and to the DIB decoder as clipboard memory.
#include "cimage_test_access.h"
#include "fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FuzzStreamDecoder(data, size, CimageTestAccess::LoadBMP);
  Cimage picture;
  picture.FromPackedDIB(data, size);
  CheckOutcome(picture);
  return 0;
}
