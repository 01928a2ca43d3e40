#pragma once
// The state a decoder starts from and the state a failed decode leaves behind.
#include <cstdio>

#include "Cimage.h"
#include "file_reader.h"

namespace ravelight {

// Drops the old picture and marks a fresh attempt at one: valid, full scale, colour source,
// no errors, no file size yet.
void BeginFreshLoad(Cimage& picture);

// A failed decode keeps no partial picture: only the marks that an attempt was made and failed,
// which sends the loader on to the next format.
void FailLoad(Cimage& picture);

// Runs decode (FileReader& → bool) on the stream from a fresh state; false, in the failed state,
// when it fails.
template <typename Decoder>
bool DecodeFromFile(Cimage& picture, FILE* stream, Decoder decode) {
  BeginFreshLoad(picture);
  FileReader file(stream);
  if (decode(file)) return true;
  FailLoad(picture);
  return false;
}

}  // namespace ravelight
