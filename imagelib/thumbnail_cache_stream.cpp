// The one open thumbnail-cache file of the process, and the JPEG thumbnails read from and written
// to it at its current position. The cache code seeks to each record itself; every call here
// fails cleanly (rather than crashing) when no cache file is open.
#include "Cimage.h"

FILE* Cimage::S_TNCFile = nullptr;

int Cimage::OpenTNC(const char* path, const char* mode) {
  CloseTNC();
  S_TNCFile = std::fopen(path, mode);
  return S_TNCFile ? 1 : 0;
}

void Cimage::CloseTNC() {
  if (S_TNCFile) std::fclose(S_TNCFile);
  S_TNCFile = nullptr;
}

int Cimage::SeekTNC(long offset, int origin) {
  return S_TNCFile ? std::fseek(S_TNCFile, offset, origin) : -1;
}

long Cimage::TellTNC() { return S_TNCFile ? std::ftell(S_TNCFile) : -1L; }

unsigned Cimage::ReadTNC(void* buffer, unsigned size, unsigned count) {
  return S_TNCFile ? unsigned(std::fread(buffer, size, count, S_TNCFile)) : 0u;
}

unsigned Cimage::WriteTNC(const void* buffer, unsigned size, unsigned count) {
  return S_TNCFile ? unsigned(std::fwrite(buffer, size, count, S_TNCFile)) : 0u;
}

// The thumbnail is decoded at the largest DCT reduction that keeps it within 1.5 times a
// size × size box; it is not resampled further.
void Cimage::LoadTNC(int size) {
  DeleteImage();
  m_loadError = 0;
  m_valid = 1;
  m_scaleNum = 1;
  m_scaleDen = 1;
  m_components = 3;
  if (!S_TNCFile) {
    m_loadError = 1;
    return;
  }
  LoadJPEG(S_TNCFile, size, size, 1);
  if (!m_loadError) MakeBMIstruct();
}

// Thumbnails never carry the camera's EXIF segment, and always get fresh tables.
void Cimage::SaveTNC(int quality) {
  EXIFDeleteBuffer();
  m_saveError = 0;
  if (!S_TNCFile) {
    m_saveError = 1;
    return;
  }
  SaveJPEG(S_TNCFile, quality, 0);
}
