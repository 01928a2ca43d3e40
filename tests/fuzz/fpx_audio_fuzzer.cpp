// Feeds arbitrary bytes to the reader of sound memos stored as FlashPix segments. Odd first bytes
// put a contents list naming an audio stream in front, so that data segments have a stream to
// fill; 500 bytes of padding follow, so the scan reaches every input byte. No sound may be longer
// than the file, and a list that is not believed yields none.
// The reader is part of the program's library, which fuzz targets do not link: its one source
// file depends on nothing else and is compiled in here.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../../common_ui/fpx_audio_stream.cpp"

namespace {

// FF E2, length 0x2A, "FPXR", version 0, type 1, one entry: size 0x100, fill 0x80, "Audio Stream".
const uint8_t kContentsList[] = {0xFF, 0xE2, 0x00, 0x2A, 'F', 'P', 'X', 'R', 0, 0, 1, 0, 1, 0, 0, 0x01, 0,
                                 0x80, 'A', 0, 'u', 0, 'd', 0, 'i', 0, 'o', 0, ' ', 0, 'S', 0, 't', 0,
                                 'r', 0, 'e', 0, 'a', 0, 'm', 0, 0, 0};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> file;
  if (data[0] % 2) file.assign(kContentsList, kContentsList + sizeof kContentsList);
  file.insert(file.end(), data + 1, data + size);
  file.resize(file.size() + 500, 0);
  std::vector<uint8_t> sound;
  const FpxAudioResult result = ReadFpxAudio(file.data(), file.size(), sound);
  if (sound.size() > file.size()) std::abort();
  if (result == FpxAudioResult::kImplausible && !sound.empty()) std::abort();
  return 0;
}
