#pragma once
// Reaches the codec entry points that the library keeps private (they are exported all the same),
// so the codecs are tested on their own before the by-extension loader picks them.
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "Cimage.h"

struct CimageTestAccess {
  static void LoadJPEG(Cimage& picture, FILE* stream, int width, int height, int mode) {
    picture.LoadJPEG(stream, width, height, mode);
  }
  static void SaveJPEG(Cimage& picture, FILE* stream, int quality, int useOrig) {
    picture.SaveJPEG(stream, quality, useOrig);
  }
};

// Loads a JPEG file the way the loader does: a fresh picture with three components, then the codec.
// Returns false when the file could not be opened.
bool LoadJpegFile(Cimage& picture, const std::string& path, int width = 0, int height = 0, int mode = 5);
// Writes the bytes to a temporary file and loads them as above.
void LoadJpegBytes(Cimage& picture, const std::vector<uint8_t>& file, int width = 0, int height = 0, int mode = 5);
// Saves with the given quality and table reuse; false when the file could not be created.
bool SaveJpegFile(Cimage& picture, const std::string& path, int quality, int useOrig = 0);
// Saves to a temporary file and returns its bytes.
std::vector<uint8_t> SaveJpegBytes(Cimage& picture, int quality, int useOrig = 0);
