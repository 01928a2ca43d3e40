#include "picture_types.h"

#include "ascii_text.h"

namespace platform {

namespace {

const struct {
  const char* extension;
  PictureType type;
} kPictureExtensions[] = {
    {"JPG", PictureType::kJpeg}, {"JFIF", PictureType::kJpeg}, {"JIF", PictureType::kJpeg},
    {"JPE", PictureType::kJpeg}, {"JPEG", PictureType::kJpeg}, {"GIF", PictureType::kGif},
    {"BMP", PictureType::kBmp},  {"TIF", PictureType::kTiff},  {"TIFF", PictureType::kTiff},
    {"PNG", PictureType::kPng},  {"PSD", PictureType::kPsd},   {"PCX", PictureType::kPcx},
};

}  // namespace

PictureType PictureTypeOfExtension(const std::string& extension) {
  const std::string upper = AsciiUpper(extension);
  for (const auto& known : kPictureExtensions)
    if (upper == known.extension) return known.type;
  return PictureType::kNone;
}

PictureType PictureTypeOfName(const std::string& name) {
  const size_t separator = name.find_last_of("/\\:");
  const size_t start = separator == std::string::npos ? 0 : separator + 1;
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot <= start) return PictureType::kNone;
  return PictureTypeOfExtension(name.substr(dot + 1));
}

}  // namespace platform
