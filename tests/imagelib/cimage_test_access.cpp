#include "cimage_test_access.h"

#include "test_files.h"

bool LoadJpegFile(Cimage& picture, const std::string& path, int width, int height, int mode) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_components = 3;
  FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) return false;
  CimageTestAccess::LoadJPEG(picture, stream, width, height, mode);
  std::fclose(stream);
  return true;
}

bool SaveJpegFile(Cimage& picture, const std::string& path, int quality, int useOrig) {
  picture.m_saveError = 0;
  FILE* stream = std::fopen(path.c_str(), "wb");
  if (!stream) return false;
  CimageTestAccess::SaveJPEG(picture, stream, quality, useOrig);
  std::fclose(stream);
  return true;
}

void LoadJpegBytes(Cimage& picture, const std::vector<uint8_t>& file, int width, int height, int mode) {
  const std::string path = TempPath("load.jpg");
  WriteBytes(path, file);
  LoadJpegFile(picture, path, width, height, mode);
}

std::vector<uint8_t> SaveJpegBytes(Cimage& picture, int quality, int useOrig) {
  const std::string path = TempPath("save.jpg");
  SaveJpegFile(picture, path, quality, useOrig);
  return ReadBytes(path);
}
