// Turns arbitrary bytes saved as a .jpg file on disk: the lossless transform reads them, and the
// file is either turned and still decodes, or left exactly as it was. The operation comes from
// the input's length, so every one of them is reached.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "Cimage.h"

namespace {

// Made once, removed at exit; a plain array, so it outlives every static object.
char workFolder[] = "/tmp/vireldan-rotate-fuzz-XXXXXX";

const char* WorkFolder() {
  static const bool made = [] {
    if (!mkdtemp(workFolder)) std::abort();
    std::atexit([] { std::filesystem::remove_all(workFolder); });
    return true;
  }();
  return made ? workFolder : nullptr;
}

std::vector<uint8_t> Read(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(in)) != EOF) bytes.push_back(uint8_t(c));
    std::fclose(in);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = std::string(WorkFolder()) + "/input.jpg";
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) std::abort();
  std::fwrite(data, 1, size, out);
  std::fclose(out);
  unsetenv("VIRELDAN_TRASH");  // the old file is simply deleted
  const int turned = Cimage::S_RotateImageFile(path.c_str(), 1 + int(size % 5));
  const std::vector<uint8_t> after = Read(path);
  if (!turned && after != std::vector<uint8_t>(data, data + size)) std::abort();
  if (turned && after.empty()) std::abort();
  std::remove(path.c_str());
  return 0;
}
