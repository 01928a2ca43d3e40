#pragma once
// The EXIF tags the camera record is read from.
#include <cstdint>

namespace ravelight {

enum ExifTag : uint16_t {
  kTagDescription = 0x010E,
  kTagMake = 0x010F,
  kTagModel = 0x0110,
  kTagThumbnailOffset = 0x0201,
  kTagThumbnailLength = 0x0202,
  kTagExposureTime = 0x829A,
  kTagFNumber = 0x829D,
  kTagExifDirectory = 0x8769,
  kTagExposureProgram = 0x8822,
  kTagIsoSpeed = 0x8827,
  kTagDateTimeOriginal = 0x9003,
  kTagCompressedBitsPerPixel = 0x9102,
  kTagShutterSpeed = 0x9201,
  kTagApertureValue = 0x9202,
  kTagExposureBias = 0x9204,
  kTagMaxApertureValue = 0x9205,
  kTagSubjectDistance = 0x9206,
  kTagMeteringMode = 0x9207,
  kTagLightSource = 0x9208,
  kTagFlash = 0x9209,
  kTagFocalLength = 0x920A,
  kTagUserComment = 0x9286,
  kTagImageWidth = 0xA002,
  kTagImageHeight = 0xA003,
  kTagInteropDirectory = 0xA005,
  kTagFocalPlaneXResolution = 0xA20E,
  kTagFocalPlaneUnit = 0xA210,
};

}  // namespace ravelight
