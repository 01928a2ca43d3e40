#include "file_names.h"

#include <cstring>

#include "ascii_text.h"
#include "file_system.h"
#include "picture_types.h"

namespace ravelight {

bool TrimmedPath(const char* path, std::string& trimmed) {
  if (!path) return false;
  const size_t length = std::strlen(path);
  if (length >= platform::kMaxPath) return false;
  trimmed.assign(path, length);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  return true;
}

std::string ExtensionOf(const std::string& path) {
  const size_t separator = path.find_last_of("/\\:");
  const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  const size_t dot = path.find_last_of('.');
  // A dot that starts the file name (".jpg") or sits in a folder's name is no extension.
  if (dot == std::string::npos || dot <= nameStart) return std::string();
  return platform::AsciiUpper(path.substr(dot + 1));
}

FileFormat FormatOfExtension(const std::string& extension) {
  switch (platform::PictureTypeOfExtension(extension)) {
    case platform::PictureType::kJpeg: return kJpegFormat;
    case platform::PictureType::kGif: return kGifFormat;
    case platform::PictureType::kBmp: return kBmpFormat;
    case platform::PictureType::kTiff: return kTiffFormat;
    case platform::PictureType::kPng: return kPngFormat;
    case platform::PictureType::kPsd: return kPsdFormat;
    case platform::PictureType::kPcx: return kPcxFormat;
    default: return kUnknownFormat;
  }
}

}  // namespace ravelight
