#include "hover_tip_text.h"

#include <vector>

#include "Cimage.h"

namespace {

constexpr int kExifTextLimit = 30000;

// Parts are parted by one blank line, whether or not the part before ends its last line.
void EndWithBlankLine(std::string& text) {
  if (text.empty()) return;
  while (text.size() < 2 || text.compare(text.size() - 2, 2, "\n\n") != 0) text += '\n';
}

std::string FileInfoText(const CThumbItem& item) {
  std::string text = item.folder + item.name + "\n" + item.GetDateText() + "\n" + std::to_string(item.sizeKB) + " K";
  const Cimage* thumbnail = item.thumbnail;
  if (thumbnail && thumbnail->m_valid)
    text += ", " + std::to_string(thumbnail->m_origWidth) + " x " + std::to_string(thumbnail->m_origHeight);
  return text;
}

// Reads only the file's header; a file without an EXIF block says so.
std::string ExifText(const std::string& path, unsigned lines) {
  Cimage header;
  header.EXIFLoadBuffer(path.c_str());
  std::vector<char> text(kExifTextLimit, '\0');
  header.EXIF_ImageInfoText(text.data(), lines, kExifTextLimit);
  return text.data();
}

}  // namespace

std::string HoverTipText(const CThumbItem& item, const HoverTipOptions& options, const std::string& annotation) {
  std::string text;
  if (options.fileInfo) {
    text = FileInfoText(item);
    if (options.annotations || options.exifTips) EndWithBlankLine(text);
  }
  if (options.exifTips) {
    text += ExifText(item.folder + item.name, options.exifLines);
    if (!annotation.empty()) EndWithBlankLine(text);
  }
  text += annotation;
  // No empty lines at the tip's foot (an annotation setting with no annotation leaves a separator).
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}
