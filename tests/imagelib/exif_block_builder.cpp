#include "exif_block_builder.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "Cimage.h"
#include "exif_tags.h"

namespace {

ExifEntry Numbers(uint16_t tag, uint16_t format, unsigned unitSize, std::vector<uint64_t> units,
                  uint32_t count) {
  return ExifEntry{tag, format, count, std::move(units), unitSize, std::nullopt};
}

ExifEntry Text(uint16_t tag, uint16_t format, const std::string& bytes) {
  return Numbers(tag, format, 1, std::vector<uint64_t>(bytes.begin(), bytes.end()), uint32_t(bytes.size()));
}

size_t ValueBytes(const ExifEntry& entry) { return entry.units.size() * entry.unitSize; }

bool HasOwnData(const ExifEntry& entry) { return !entry.field && ValueBytes(entry) > 4; }

size_t DirectoryBytes(const std::vector<ExifEntry>& entries) {
  size_t bytes = 2 + 12 * entries.size() + 4;
  for (const ExifEntry& entry : entries)
    if (HasOwnData(entry)) bytes += (ValueBytes(entry) + 1) & ~size_t{1};
  return bytes;
}

class Writer {
 public:
  explicit Writer(ExifOrder order) : motorola_(order == ExifOrder::kMotorola) {}

  void Unit(uint64_t value, unsigned size) {
    for (unsigned i = 0; i < size; ++i) {
      const unsigned shift = 8 * (motorola_ ? size - 1 - i : i);
      tiff_.push_back(uint8_t(value >> shift));
    }
  }

  // One directory at the current end, its entries' data right after it.
  void Directory(const std::vector<ExifEntry>& entries, uint32_t link) {
    const size_t start = tiff_.size();
    size_t data = start + 2 + 12 * entries.size() + 4;
    Unit(entries.size(), 2);
    std::vector<const ExifEntry*> placed;
    for (const ExifEntry& entry : entries) {
      Unit(entry.tag, 2);
      Unit(entry.format, 2);
      Unit(entry.count, 4);
      if (entry.field) {
        Unit(*entry.field, 4);
      } else if (HasOwnData(entry)) {
        Unit(data, 4);
        data += (ValueBytes(entry) + 1) & ~size_t{1};
        placed.push_back(&entry);
      } else {
        const size_t at = tiff_.size();
        for (uint64_t unit : entry.units) Unit(unit, entry.unitSize);
        tiff_.resize(at + 4, 0);
      }
    }
    Unit(link, 4);
    for (const ExifEntry* entry : placed) {
      for (uint64_t unit : entry->units) Unit(unit, entry->unitSize);
      if (tiff_.size() % 2) tiff_.push_back(0);
    }
  }

  std::vector<uint8_t>& Bytes() { return tiff_; }

 private:
  bool motorola_;
  std::vector<uint8_t> tiff_;
};

}  // namespace

ExifEntry ExifAscii(uint16_t tag, const std::string& text) { return Text(tag, 2, text + '\0'); }
ExifEntry ExifUndefined(uint16_t tag, const std::string& bytes) { return Text(tag, 7, bytes); }
ExifEntry ExifByte(uint16_t tag, uint8_t value) { return Numbers(tag, 1, 1, {value}, 1); }
ExifEntry ExifShort(uint16_t tag, uint16_t value) { return Numbers(tag, 3, 2, {value}, 1); }
ExifEntry ExifSignedShort(uint16_t tag, int16_t value) { return Numbers(tag, 8, 2, {uint16_t(value)}, 1); }
ExifEntry ExifLong(uint16_t tag, uint32_t value) { return Numbers(tag, 4, 4, {value}, 1); }
ExifEntry ExifSignedLong(uint16_t tag, int32_t value) { return Numbers(tag, 9, 4, {uint32_t(value)}, 1); }
ExifEntry ExifRational(uint16_t tag, uint32_t numerator, uint32_t denominator) {
  return Numbers(tag, 5, 4, {numerator, denominator}, 1);
}
ExifEntry ExifSignedRational(uint16_t tag, int32_t numerator, int32_t denominator) {
  return Numbers(tag, 10, 4, {uint32_t(numerator), uint32_t(denominator)}, 1);
}
ExifEntry ExifFloat(uint16_t tag, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return Numbers(tag, 11, 4, {bits}, 1);
}
ExifEntry ExifDouble(uint16_t tag, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return Numbers(tag, 12, 8, {bits}, 1);
}
ExifEntry ExifRaw(uint16_t tag, uint16_t format, uint32_t count, uint32_t field) {
  return ExifEntry{tag, format, count, {}, 0, field};
}

std::vector<uint8_t> ExifBlock::Build() const {
  std::vector<ExifEntry> first = ifd0, second = exif;
  if (!interop.empty()) second.push_back(ExifLong(ravelight::kTagInteropDirectory, 0));
  if (!second.empty()) first.push_back(ExifLong(ravelight::kTagExifDirectory, 0));
  const size_t exifAt = 8 + DirectoryBytes(first);
  const size_t interopAt = exifAt + (second.empty() ? 0 : DirectoryBytes(second));
  const size_t thumbnailAt = interopAt + (interop.empty() ? 0 : DirectoryBytes(interop));
  if (!second.empty()) first.back().units = {exifAt};
  if (!interop.empty()) second.back().units = {interopAt};

  Writer out(order);
  out.Bytes() = {uint8_t(order == ExifOrder::kMotorola ? 'M' : 'I'), uint8_t(order == ExifOrder::kMotorola ? 'M' : 'I')};
  out.Unit(42, 2);
  out.Unit(8, 4);
  out.Directory(first, ifd0Link.value_or(thumbnail.empty() ? 0 : uint32_t(thumbnailAt)));
  if (!second.empty()) out.Directory(second, 0);
  if (!interop.empty()) out.Directory(interop, 0);
  if (!thumbnail.empty()) out.Directory(thumbnail, 0);

  const std::vector<uint8_t>& tiff = out.Bytes();
  const size_t size = kExifTiffStart + tiff.size();
  const uint8_t header[kExifTiffStart] = {uint8_t(size >> 8), uint8_t(size), 'E', 'x', 'i', 'f', 0, 0};
  std::vector<uint8_t> block(size);
  std::copy(header, header + kExifTiffStart, block.begin());
  std::copy(tiff.begin(), tiff.end(), block.begin() + kExifTiffStart);
  return block;
}

void SetExifBlock(Cimage& picture, const std::vector<uint8_t>& block) {
  uint8_t* buffer = picture.EXIFNewBuffer(unsigned(block.size()));
  if (buffer) std::memcpy(buffer, block.data(), block.size());
}

std::string ExifTextOf(const std::vector<uint8_t>& block, unsigned lines, int size) {
  Cimage picture;
  SetExifBlock(picture, block);
  std::vector<char> text(size_t(size > 0 ? size : 0) + 1, '\0');
  picture.EXIF_ImageInfoText(text.data(), lines, size);
  return text.data();
}
