#include "payload_format.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>

namespace {

uint32_t ReadU32(const std::vector<uint8_t>& file, size_t at) {
  return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
         uint32_t(file[at + 3]) << 24;
}

// Windows opens a device for the part before the first dot, blanks before that dot ignored:
// "nul.txt" and "CON .log" are devices too.
bool IsDeviceName(std::string part) {
  part = part.substr(0, part.find('.'));
  part.erase(part.find_last_not_of(' ') + 1);
  std::transform(part.begin(), part.end(), part.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : devices)
    if (part == device) return true;
  return part.size() == 4 && (part.compare(0, 3, "COM") == 0 || part.compare(0, 3, "LPT") == 0) &&
         part[3] >= '0' && part[3] <= '9';
}

std::string PartProblem(const std::string& part) {
  if (part.empty()) return "an empty folder or file name";
  if (part.find_first_not_of('.') == std::string::npos) return "a \".\" or \"..\" part";
  if (part.back() == '.' || part.back() == ' ') return "a part ending in a dot or blank";
  if (IsDeviceName(part)) return "a device name";
  return "";
}

}  // namespace

uint32_t PayloadChecksum(const std::vector<uint8_t>& file) {
  const size_t covered = file.size() < 4 ? 0 : file.size() - 4;
  uLong crc = crc32(0L, Z_NULL, 0);
  for (size_t at = 0; at < covered;) {  // zlib takes 32-bit lengths
    const uInt chunk = uInt(std::min<size_t>(covered - at, 1u << 30));
    crc = crc32(crc, file.data() + at, chunk);
    at += chunk;
  }
  return uint32_t(crc);
}

bool PayloadChecksumMatches(const std::vector<uint8_t>& file) {
  return file.size() >= 4 && PayloadChecksum(file) == ReadU32(file, file.size() - 4);
}

std::string PayloadNameProblem(const std::string& name) {
  if (name.empty()) return "an empty name";
  for (unsigned char c : name)
    if (c < 0x20 || std::string("<>:\"|?*/").find(char(c)) != std::string::npos)
      return c == ':' ? "a drive letter or stream name" : "a character not allowed in file names";
  if (name.front() == '\\') return "an absolute name";
  const size_t slash = name.find('\\');
  if (slash != std::string::npos && name.find('\\', slash + 1) != std::string::npos)
    return "more than one sub-folder level";
  std::string problem = PartProblem(name.substr(0, slash));
  if (problem.empty() && slash != std::string::npos) problem = PartProblem(name.substr(slash + 1));
  return problem;
}

bool ReadPayloadDirectory(const std::vector<uint8_t>& file, PayloadDirectory& directory, std::string& problem) {
  directory = PayloadDirectory();
  if (file.size() < kPayloadRecordSize + kPayloadTrailerSize || file.size() > UINT32_MAX) {
    problem = "the file is too short or too long to hold a directory";
    return false;
  }
  // Each step goes one record further from the end, so the walk ends within the file.
  size_t record = file.size() - kPayloadTrailerSize - kPayloadRecordSize;
  for (;;) {
    PayloadEntry entry;
    entry.dataOffset = ReadU32(file, record);
    entry.packedSize = ReadU32(file, record + 4);
    entry.size = ReadU32(file, record + 8);
    if (entry.dataOffset == 0) {
      directory.programSize = entry.size;
      break;
    }
    const char* nameField = reinterpret_cast<const char*>(file.data() + record + 16);
    const char* end = std::find(nameField, nameField + kPayloadNameSize, '\0');
    if (end == nameField + kPayloadNameSize) {
      problem = "an entry name is not terminated within its record";
      return false;
    }
    entry.name.assign(nameField, end);
    entry.name.erase(entry.name.find_last_not_of(' ') + 1);
    const std::string nameProblem = PayloadNameProblem(entry.name);
    if (!nameProblem.empty()) {
      problem = "the entry \"" + entry.name + "\" has " + nameProblem;
      return false;
    }
    if (entry.size > kPayloadMaxFileSize) {
      problem = "the entry \"" + entry.name + "\" is larger than any file of the product";
      return false;
    }
    directory.entries.push_back(entry);
    if (record < kPayloadRecordSize) {
      problem = "the directory has no entry for the installer program";
      return false;
    }
    record -= kPayloadRecordSize;
  }
  if (directory.programSize > record) {
    problem = "the installer program is longer than the file";
    return false;
  }
  for (const PayloadEntry& entry : directory.entries) {
    if (entry.dataOffset < directory.programSize || entry.dataOffset > record ||
        entry.packedSize > record - entry.dataOffset) {
      problem = "the data of \"" + entry.name + "\" lies outside the payload";
      return false;
    }
  }
  return true;
}
