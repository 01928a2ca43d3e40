// Feeds arbitrary bytes to the TIFF reader as a thumbnail load and, when that gave a small
// picture, as a full-size load; whatever decodes is saved again with each compression. The
// reader takes a path, so the bytes go through a file of this process.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "fuzz_decode.h"

namespace {

// One file per process, removed when the fuzzer ends.
struct ScratchFile {
  std::string path = "/tmp/tiff_load_fuzzer." + std::to_string(getpid()) + ".tif";
  ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& Scratch() {
  static const ScratchFile file;
  return file.path;
}

bool WriteAll(const std::string& path, const uint8_t* data, size_t size) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(data, 1, size, out) == size;
  return std::fclose(out) == 0 && written;
}

void Decode(Cimage& picture, const std::string& path, int box, int mode) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_scaleNum = picture.m_scaleDen = 1;
  picture.m_components = 3;
  CimageTestAccess::LoadTIF(picture, path.c_str(), box, box, mode);
  CheckOutcome(picture);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = Scratch();
  if (size == 0 || !WriteAll(path, data, size)) return 0;
  Cimage picture;
  Decode(picture, path, 160, 1);
  if (!picture.m_loadError && picture.m_origWidth <= 1024 && picture.m_origHeight <= 1024)
    Decode(picture, path, 0, 5);
  if (picture.m_loadError) return 0;
  for (int compression : {0, 1, 2}) {
    Cimage::S_tifcompression = compression;
    CimageTestAccess::SaveTIF(picture, "/dev/null");
  }
  return 0;
}
