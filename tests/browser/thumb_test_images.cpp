#include "thumb_test_images.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <mutex>

#include "Cimage.h"
#include "file_system.h"
#include "thumb_decode.h"

namespace {

// As cameras save.
constexpr int kQuality = 90;

}  // namespace

bool WritePatternPicture(const std::string& path, int width, int height, unsigned seed) {
  Cimage picture;
  picture.Blank(width, height, 0);
  if (!picture.m_pixels) return false;
  uint32_t noise = seed * 2654435761u + 1;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture.m_pixels + size_t(y) * size_t(picture.m_stride);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int wave = ((x * (seed % 7 + 1) + y * (seed % 5 + 2)) >> 3) & 0xFF;
      row[3 * x] = uint8_t(wave + (noise >> 25));
      row[3 * x + 1] = uint8_t(((x ^ y) + seed * 40) + (noise >> 27));
      row[3 * x + 2] = uint8_t((y * 255 / height) ^ (seed * 13));
    }
  }
  picture.SaveImage(path.c_str(), kQuality, 0, 0, 0, 0, 0, 0);
  return !picture.m_saveError && platform::FileExists(path);
}

bool WriteTruncatedCopy(const std::string& from, const std::string& to, size_t keep) {
  std::ifstream in(from, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() <= keep) return false;
  bytes.resize(keep);
  std::ofstream out(to, std::ios::binary);
  out << bytes;
  return bool(out);
}

namespace {

std::mutex g_decodesGuard;
std::vector<std::string> g_decodes;
ThumbDecoder g_library = nullptr;

void CountingDecoder(const std::string& path, int edge, Cimage& image) {
  {
    const std::lock_guard<std::mutex> hold(g_decodesGuard);
    g_decodes.push_back(platform::FileNameOf(path));
  }
  g_library(path, edge, image);
}

}  // namespace

DecodeCounter::DecodeCounter() { g_library = ReplaceThumbDecoder(CountingDecoder); }

DecodeCounter::~DecodeCounter() {
  ReplaceThumbDecoder(g_library);
  Reset();
}

int DecodeCounter::Count() const { return int(Files().size()); }

std::vector<std::string> DecodeCounter::Files() const {
  const std::lock_guard<std::mutex> hold(g_decodesGuard);
  return g_decodes;
}

void DecodeCounter::Reset() {
  const std::lock_guard<std::mutex> hold(g_decodesGuard);
  g_decodes.clear();
}
