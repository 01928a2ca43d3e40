#pragma once
// Builds EXIF segments as cameras write them, in either byte order, so tests can state the
// camera values and check the text made from them. Malformed entries are written as given.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ExifEntry {
  uint16_t tag;
  uint16_t format;
  uint32_t count;
  std::vector<uint64_t> units;  // written in the block's byte order, unitSize bytes each
  unsigned unitSize;
  std::optional<uint32_t> field;  // when set: the entry's last four bytes exactly, no data placed
};

ExifEntry ExifAscii(uint16_t tag, const std::string& text);  // with its terminator
ExifEntry ExifUndefined(uint16_t tag, const std::string& bytes);
ExifEntry ExifByte(uint16_t tag, uint8_t value);
ExifEntry ExifShort(uint16_t tag, uint16_t value);
ExifEntry ExifSignedShort(uint16_t tag, int16_t value);
ExifEntry ExifLong(uint16_t tag, uint32_t value);
ExifEntry ExifSignedLong(uint16_t tag, int32_t value);
ExifEntry ExifRational(uint16_t tag, uint32_t numerator, uint32_t denominator);
ExifEntry ExifSignedRational(uint16_t tag, int32_t numerator, int32_t denominator);
ExifEntry ExifFloat(uint16_t tag, float value);
ExifEntry ExifDouble(uint16_t tag, double value);
// An entry with the given count and last four bytes, whatever the format says about them.
ExifEntry ExifRaw(uint16_t tag, uint16_t format, uint32_t count, uint32_t field);

enum class ExifOrder { kIntel, kMotorola };

// IFD0 at offset 8, then the EXIF directory, the interoperability directory and the thumbnail
// directory, each followed by the values that do not fit in their entries. The links to the
// directories that hold entries are added by the builder.
struct ExifBlock {
  ExifOrder order = ExifOrder::kIntel;
  std::vector<ExifEntry> ifd0;
  std::vector<ExifEntry> exif;
  std::vector<ExifEntry> interop;
  std::vector<ExifEntry> thumbnail;
  std::optional<uint32_t> ifd0Link;  // replaces the link after IFD0

  // The segment as a picture keeps it: two big-endian length bytes, "Exif", two zero bytes, TIFF.
  std::vector<uint8_t> Build() const;
};

// Offsets count from the TIFF header, 8 bytes into the segment.
constexpr size_t kExifTiffStart = 8;

class Cimage;
constexpr unsigned kAllExifLines = 0x8000000;

// Gives the picture a copy of the block as its EXIF segment.
void SetExifBlock(Cimage& picture, const std::vector<uint8_t>& block);
// The camera text of a picture holding the block, written into a buffer of size bytes.
std::string ExifTextOf(const std::vector<uint8_t>& block, unsigned lines = kAllExifLines, int size = 30000);
