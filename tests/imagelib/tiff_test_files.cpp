#include "tiff_test_files.h"

#include <algorithm>

#include "cimage_test_access.h"
#include "test_files.h"

void LoadTiffFile(Cimage& picture, const std::string& path, int width, int height, int mode) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_scaleNum = picture.m_scaleDen = 1;
  picture.m_components = 3;
  CimageTestAccess::LoadTIF(picture, path.c_str(), width, height, mode);
}

void LoadTiffBytes(Cimage& picture, const std::vector<uint8_t>& file, int width, int height, int mode) {
  const std::string path = TempPath("load.tif");
  WriteBytes(path, file);
  LoadTiffFile(picture, path, width, height, mode);
}

void SaveTiffFile(Cimage& picture, const std::string& path, int compression) {
  Cimage::S_tifcompression = compression;
  picture.m_saveError = 0;
  CimageTestAccess::SaveTIF(picture, path.c_str());
  Cimage::S_tifcompression = 0;
}

namespace {

size_t TypeSize(uint16_t type) {
  switch (type) {
    case kTiffAscii: return 1;
    case kTiffShort: return 2;
    case kTiffLong: return 4;
    case kTiffRational: return 8;
    default: return 0;
  }
}

void Put(std::vector<uint8_t>& out, uint32_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutAt(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) out[at + i] = uint8_t(value >> (8 * i));
}

// The bytes of a field's value as stored, little-endian.
std::vector<uint8_t> ValueBytes(const TiffField& field) {
  std::vector<uint8_t> bytes;
  if (field.type == kTiffAscii) {
    bytes.assign(field.text.begin(), field.text.end());
    bytes.push_back(0);
    return bytes;
  }
  const size_t width = field.type == kTiffShort ? 2 : 4;
  for (uint32_t v : field.values) Put(bytes, v, width);
  return bytes;
}

uint32_t Count(const TiffField& field) {
  if (field.type == kTiffAscii) return uint32_t(field.text.size() + 1);
  return uint32_t(field.type == kTiffRational ? field.values.size() / 2 : field.values.size());
}

struct Reader {
  const std::vector<uint8_t>& file;
  bool bigEndian;
  bool Has(uint64_t at, uint64_t size) const { return at + size <= file.size(); }
  uint32_t Get(uint64_t at, size_t bytes) const {
    uint32_t v = 0;
    for (size_t i = 0; i < bytes; ++i) {
      const uint32_t b = file[size_t(at + i)];
      v |= bigEndian ? b << (8 * (bytes - 1 - i)) : b << (8 * i);
    }
    return v;
  }
};

}  // namespace

std::vector<uint8_t> BuildTiff(std::vector<TiffField> fields, const std::vector<uint8_t>& data) {
  std::sort(fields.begin(), fields.end(), [](const TiffField& a, const TiffField& b) { return a.tag < b.tag; });
  std::vector<uint8_t> file(kTiffDataOffset + data.size());
  const uint8_t header[4] = {'I', 'I', 42, 0};
  std::copy(header, header + 4, file.begin());
  std::copy(data.begin(), data.end(), file.begin() + kTiffDataOffset);
  if (file.size() % 2) file.push_back(0);
  PutAt(file, 4, uint32_t(file.size()));
  const size_t directory = file.size();
  Put(file, uint32_t(fields.size()), 2);
  std::vector<uint8_t> outOfLine;
  const size_t outOfLineStart = directory + 2 + 12 * fields.size() + 4;
  for (const TiffField& field : fields) {
    std::vector<uint8_t> value = ValueBytes(field);
    Put(file, field.tag, 2);
    Put(file, field.type, 2);
    Put(file, Count(field), 4);
    if (value.size() <= 4) {
      value.resize(4, 0);
      file.insert(file.end(), value.begin(), value.end());
    } else {
      Put(file, uint32_t(outOfLineStart + outOfLine.size()), 4);
      outOfLine.insert(outOfLine.end(), value.begin(), value.end());
      if (outOfLine.size() % 2) outOfLine.push_back(0);
    }
  }
  Put(file, 0, 4);
  file.insert(file.end(), outOfLine.begin(), outOfLine.end());
  return file;
}

std::map<uint16_t, TiffField> ReadTiffDirectory(const std::vector<uint8_t>& file) {
  std::map<uint16_t, TiffField> fields;
  if (file.size() < 8 || file[0] != file[1] || (file[0] != 'I' && file[0] != 'M')) return fields;
  const Reader in{file, file[0] == 'M'};
  if (in.Get(2, 2) != 42) return fields;
  const uint32_t directory = in.Get(4, 4);
  if (!in.Has(directory, 2)) return fields;
  const uint32_t entries = in.Get(directory, 2);
  if (!in.Has(directory + 2, uint64_t{12} * entries)) return fields;
  for (uint32_t i = 0; i < entries; ++i) {
    const uint64_t entry = directory + 2 + uint64_t{12} * i;
    TiffField field;
    field.tag = uint16_t(in.Get(entry, 2));
    field.type = uint16_t(in.Get(entry + 2, 2));
    const uint32_t count = in.Get(entry + 4, 4);
    const size_t size = TypeSize(field.type);
    const uint64_t bytes = uint64_t{size} * count;
    const uint64_t at = bytes <= 4 ? entry + 8 : in.Get(entry + 8, 4);
    if (size == 0 || !in.Has(at, bytes)) continue;
    if (field.type == kTiffAscii) {
      field.text.assign(file.begin() + long(at), file.begin() + long(at + bytes));
      field.text.resize(std::min(field.text.size(), field.text.find('\0')));
    } else {
      const size_t width = field.type == kTiffShort ? 2 : 4;
      for (uint64_t p = at; p < at + bytes; p += width) field.values.push_back(in.Get(p, width));
    }
    fields[field.tag] = field;
  }
  return fields;
}
