// Feeds arbitrary bytes to the PCX decoder as a file.
#include "cimage_test_access.h"
#include "fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size) FuzzStreamDecoder(data, size, CimageTestAccess::LoadPCX);
  return 0;
}
