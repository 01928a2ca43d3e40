#include "save_image_dialog_rules.h"

#include <algorithm>

const char kSaveImageFilter[] =
    "JPEG Files (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif|TIF Files (*.tif)|*.tif|PNG Files (*.png)|*.png|BMP Files "
    "(*.bmp)|*.bmp||";
const char kSaveImageDefaultExtension[] = "jpg";
const char kSaveErrorMessage[] = "Error writing image...";

std::string DialogFilter(const char* filter) {
  std::string list(filter);
  std::replace(list.begin(), list.end(), '|', '\0');
  return list;
}

std::string NameWithoutExtension(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FileNameOfPath(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
