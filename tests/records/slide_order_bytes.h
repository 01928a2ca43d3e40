#pragma once
// Slide-order files made byte by byte, and the folder tests that use them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "temp_folder.h"
#include "thumb_list.h"

inline std::string Int32Bytes(uint32_t value) {
  return {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
}

inline std::string SlideHeader(uint32_t magic = 0x21001713, uint32_t version = 1) {
  return Int32Bytes(magic) + Int32Bytes(version) + std::string(12, '\0');
}

// One 264-byte record; name is stored as given (a name of 260 bytes has no terminator), the rest
// of the 260 bytes filled with fill after a terminator.
inline std::string SlideRecordBytes(const std::string& name, uint32_t position, char fill = '\0') {
  std::string record = name.substr(0, 260);
  if (record.size() < 260) record += '\0';
  record.resize(260, fill);
  return record + Int32Bytes(position);
}

// The records of a slide-order file as "name=position" words, for failure messages.
inline std::string SlideRecordsText(const std::string& bytes) {
  std::string words = std::to_string(bytes.size()) + " bytes:";
  for (size_t at = 20; at + 264 <= bytes.size(); at += 264) {
    const uint8_t* position = reinterpret_cast<const uint8_t*>(bytes.data() + at + 260);
    words += " " + std::string(bytes.c_str() + at) + "=" +
             std::to_string(position[0] | position[1] << 8 | position[2] << 16 | position[3] << 24);
  }
  return words;
}

class SlideOrderFolder : public TempFolderTest {
 protected:
  // The folder as the view names it, with a trailing separator.
  std::string Folder() const { return folder_.string() + char(std::filesystem::path::preferred_separator); }
  std::string StsPath() const { return (folder_ / "vireldan.sts").string(); }
  std::string StsBytes() const {
    std::ifstream in(StsPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  CThumbItem* AddFile(CThumbList& list, const std::string& name, uint32_t position) {
    CThumbItem* item = list.AddTail();
    item->name = name;
    item->folder = Folder();
    item->slidePos = position;
    return item;
  }
};
