#pragma once
// A JPEG as a camera writes it when it records the moment it took the picture: an EXIF block
// (APP1, little-endian) whose Exif directory holds DateTimeOriginal, right after the start-of-image
// marker.
#include <cstdint>
#include <string>

namespace camera_date {

inline void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i)));
}

// One directory entry: tag, type, count and the value or its offset.
inline void PutEntry(std::string& tiff, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
  PutLittle(tiff, tag, 2);
  PutLittle(tiff, type, 2);
  PutLittle(tiff, count, 4);
  PutLittle(tiff, value, 4);
}

// date as EXIF writes it, "YYYY:MM:DD HH:MM:SS".
inline std::string WithDateTaken(const std::string& jpeg, const std::string& date) {
  constexpr uint32_t kExifDirectory = 8 + 2 + 12 + 4;
  constexpr uint32_t kDateText = kExifDirectory + 2 + 12 + 4;
  std::string tiff = "II*";
  tiff.push_back('\0');
  PutLittle(tiff, 8, 4);
  PutLittle(tiff, 1, 2);
  PutEntry(tiff, 0x8769, 4, 1, kExifDirectory);  // the Exif directory
  PutLittle(tiff, 0, 4);
  PutLittle(tiff, 1, 2);
  PutEntry(tiff, 0x9003, 2, uint32_t(date.size() + 1), kDateText);  // DateTimeOriginal
  PutLittle(tiff, 0, 4);
  tiff += date;
  tiff.push_back('\0');
  std::string segment = "\xFF\xE1";
  const uint32_t length = uint32_t(2 + 6 + tiff.size());
  segment.push_back(char(length >> 8));
  segment.push_back(char(length & 0xFF));
  segment += std::string("Exif\0\0", 6) + tiff;
  return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

}  // namespace camera_date
