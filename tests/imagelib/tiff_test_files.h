#pragma once
// TIFF files for the tests, made and read byte by byte without libtiff, so that what our codec
// writes and reads is checked against the file format itself.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Cimage.h"

// Loads a TIFF file the way the loader does: a fresh picture at scale 1/1 with three
// components, then the codec with the box and size mode.
void LoadTiffFile(Cimage& picture, const std::string& path, int width = 0, int height = 0, int mode = 5);
void LoadTiffBytes(Cimage& picture, const std::vector<uint8_t>& file, int width = 0, int height = 0, int mode = 5);
// Saves with the given compression setting (S_tifcompression) to path; m_saveError is the outcome.
void SaveTiffFile(Cimage& picture, const std::string& path, int compression);

enum TiffType : uint16_t { kTiffAscii = 2, kTiffShort = 3, kTiffLong = 4, kTiffRational = 5 };

// One directory entry. Rationals are numerator, denominator pairs; ASCII text is in text.
struct TiffField {
  uint16_t tag = 0;
  uint16_t type = kTiffShort;
  std::vector<uint32_t> values;
  std::string text;
};

// A little-endian TIFF with one directory: the data bytes first, at offset kTiffDataOffset,
// then the directory with the fields (sorted by tag here).
constexpr uint32_t kTiffDataOffset = 8;
std::vector<uint8_t> BuildTiff(std::vector<TiffField> fields, const std::vector<uint8_t>& data);

// The first directory of a TIFF file (either byte order), by tag; empty when the header or the
// directory does not lie inside the file.
std::map<uint16_t, TiffField> ReadTiffDirectory(const std::vector<uint8_t>& file);
