#include "png_rgba.h"

#include <cstring>

#include <png.h>

bool ReadPngRgba(const std::string& path, RgbaPicture& picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  picture.width = int(image.width);
  picture.height = int(image.height);
  picture.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}
