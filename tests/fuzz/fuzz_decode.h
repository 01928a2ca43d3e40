#pragma once
// Runs one file decoder on the fuzzer's bytes as an open stream, and checks that what it leaves is
// either a failed load or a whole picture.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Cimage.h"
#include "picture_limits.h"

inline void CheckOutcome(const Cimage& picture) {
  if (picture.m_loadError) return;
  if (!picture.m_pixels || !picture.m_bmi || !ravelight::IsSanePictureSize(picture.m_width, picture.m_height) ||
      picture.m_stride != ravelight::RowStride(picture.m_width))
    std::abort();
}

inline void FuzzStreamDecoder(const uint8_t* data, size_t size, void (*decode)(Cimage&, FILE*)) {
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!stream) return;
  Cimage picture;
  decode(picture, stream);
  std::fclose(stream);
  CheckOutcome(picture);
}
