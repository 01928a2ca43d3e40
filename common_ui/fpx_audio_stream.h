#pragma once
// The sound memo some cameras store inside a JPEG as FlashPix extension data (APP2 segments: a
// contents list naming the streams, and segments carrying the streams' bytes), read from the
// file's bytes. Everything in them is untrusted: nothing is read outside the bytes given and
// nothing written outside the sound.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class FpxAudioResult {
  kRead,          // sound holds the memo, or is empty when the file has none
  kImplausible,   // a contents list with more entries than any camera writes
};

FpxAudioResult ReadFpxAudio(const uint8_t* data, size_t size, std::vector<uint8_t>& sound);
