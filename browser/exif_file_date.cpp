#include "exif_file_date.h"

#include <vector>

#include "Cimage.h"
#include "parse_date_time.h"

namespace {

constexpr int kExifTextLimit = 30000;
constexpr unsigned kDateLineOnly = 4;

}  // namespace

bool ReadExifDate(const std::string& path, FILETIME* localTime) {
  Cimage header;
  header.EXIFLoadBuffer(path.c_str());
  if (!header.m_exif || header.m_exifSize == 0) return false;
  std::vector<char> text(kExifTextLimit, '\0');
  header.EXIF_ImageInfoText(text.data(), kDateLineOnly, kExifTextLimit);
  // A block that cannot be read says so instead of giving a date line; its digits are no date.
  const std::string line = text.data();
  if (line.rfind("Date/Time", 0) != 0) return false;
  return ParseDateTime(line, localTime);
}
