#pragma once
// The text of the tip that appears when the pointer rests on a thumbnail: the file's path, date
// and size (with the picture's full size once its thumbnail is there), the camera information
// from its EXIF block, and its annotation, each part when the "Thumbnails" settings ask for it.
#include <string>

#include "thumb_item.h"

struct HoverTipOptions {
  bool fileInfo = false;     // "fileinfo"
  bool annotations = false;  // "annotations"
  bool exifTips = false;     // "exif_tipsenable"
  unsigned exifLines = 0;    // "exif_tipoptions", the line mask of Cimage::EXIF_ImageInfoText
};

// annotation: the file's annotation text (empty when it has none or annotations are off).
std::string HoverTipText(const CThumbItem& item, const HoverTipOptions& options, const std::string& annotation);
