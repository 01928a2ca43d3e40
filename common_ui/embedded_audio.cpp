#include "embedded_audio.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "file_system.h"
#include "fpx_audio_stream.h"
#include "shared_reading.h"

namespace {

// Smaller files cannot hold a contents list, a stream header and any sound worth playing.
constexpr size_t kMinImageSize = 1000;

bool ReadFile(const std::string& path, std::vector<uint8_t>& data) {
  FILE* file = platform::OpenForSharedReading(path);
  if (!file) return false;
  uint8_t block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0) data.insert(data.end(), block, block + n);
  const bool complete = !std::ferror(file);
  std::fclose(file);
  return complete;
}

}  // namespace

std::string CompanionSoundPath(const std::string& imagePath) {
  const size_t dot = imagePath.find_last_of('.');
  const size_t separator = imagePath.find_last_of("\\/:");
  if (dot == std::string::npos || (separator != std::string::npos && separator > dot)) return imagePath + ".wav";
  return imagePath.substr(0, dot) + ".wav";
}

int ExtractEmbeddedAudio(const std::string& imagePath) {
  const std::string soundPath = CompanionSoundPath(imagePath);
  if (platform::FileExists(soundPath)) return -1;
  std::vector<uint8_t> data;
  if (!ReadFile(imagePath, data)) return 1;
  if (data.size() < kMinImageSize) return 0;
  std::vector<uint8_t> sound;
  if (ReadFpxAudio(data.data(), data.size(), sound) == FpxAudioResult::kImplausible) return 1;
  if (sound.empty()) return 0;
  // Written whole or not at all, and never over a file that appeared since the check above.
  return platform::WriteNewFile(soundPath, sound.data(), sound.size()) ? 0 : 1;
}
