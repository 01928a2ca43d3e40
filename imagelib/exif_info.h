#pragma once
// The camera values Vireldan shows, read from a picture's raw EXIF segment.
#include <cstddef>
#include <cstdint>

namespace ravelight {

struct ExifInfo {
  char cameraMake[32];
  char cameraModel[40];
  char dateTime[20];  // year:month:day hour:minute:second, as the camera wrote it
  int flashUsed;
  float focalLength;      // millimetres
  float exposureTime;     // seconds
  float apertureFNumber;
  float distance;         // metres; negative means infinity
  float ccdWidth;         // sensor width in millimetres, 0 when unknown
  float exposureBias;
  int whiteBalance;       // light-source code
  int meteringMode;
  int exposureProgram;
  int isoEquivalent;
  int compressionLevel;   // compressed bits per pixel
  char comments[1000];
  char description[1000];
  int thumbnailOffset;    // from the TIFF header; both 0 unless the thumbnail lies inside the block
  int thumbnailLength;
  int motorolaOrder;      // 1 big-endian ("MM"), 0 little-endian ("II")
};

// Fills info from a whole segment as the picture keeps it (two length bytes, "Exif", two zero
// bytes, then the TIFF data). False when the segment is not EXIF or is corrupt; the block itself
// is never written.
bool ParseExif(const uint8_t* block, size_t size, ExifInfo& info);

}  // namespace ravelight
