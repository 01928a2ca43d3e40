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
  static void LoadGIF(Cimage& picture, FILE* stream) { picture.LoadGIF(stream); }
  static void SaveGIF(Cimage& picture, FILE* stream, int dither) { picture.SaveGIF(stream, dither); }
  static void LoadBMP(Cimage& picture, FILE* stream) { picture.LoadBMP(stream); }
  static void SaveBMP(Cimage& picture, FILE* stream, int colormap, int dither) {
    picture.SaveBMP(stream, colormap, dither);
  }
  static void LoadPCX(Cimage& picture, FILE* stream) { picture.LoadPCX(stream); }
  static void LoadPSD(Cimage& picture, FILE* stream) { picture.LoadPSD(stream); }
  static void LoadPNG(Cimage& picture, FILE* stream) { picture.LoadPNG(stream); }
  static void SavePNG(Cimage& picture, FILE* stream, int colormap, int dither) {
    picture.SavePNG(stream, colormap, dither);
  }
  static void LoadTIF(Cimage& picture, const char* path, int width, int height, int mode) {
    picture.LoadTIF(path, width, height, mode);
  }
  static void SaveTIF(Cimage& picture, const char* path) { picture.SaveTIF(path); }
  static void Arbitrary_Resample(Cimage& picture, int width, int height) { picture.Arbitrary_Resample(width, height); }
  static void Block_Resample_12(Cimage& picture) { picture.Block_Resample_12(); }
  static void Block_Resample_23(Cimage& picture) { picture.Block_Resample_23(); }
  static void Block_Resample_34(Cimage& picture) { picture.Block_Resample_34(); }
  static void Block_Resample_21(Cimage& picture) { picture.Block_Resample_21(); }
  static void Block_Resample_31(Cimage& picture) { picture.Block_Resample_31(); }
  static void AddNoise(Cimage& picture) { picture.AddNoise(); }
#if defined(_WIN32)
  static HPALETTE ChoosePalette(Cimage& picture) { return picture.ChoosePalette(); }
  static void DitherImage(Cimage& picture) { picture.DitherImage(0, nullptr); }
#endif
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
