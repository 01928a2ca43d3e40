#pragma once
// The layout of Setup.exe: the installer program, one zlib stream per payload file, a directory
// of 48-byte records read from the end of the file, a reserved word and a CRC-32 of everything
// before it. Shared by the installer, which trusts nothing it reads, and by the host tool that
// builds the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kPayloadRecordSize = 48;
constexpr size_t kPayloadNameSize = 32;
constexpr size_t kPayloadTrailerSize = 8;  // reserved word, checksum
// No file of the product comes near this; a larger size in a record is damage, not a file.
constexpr uint32_t kPayloadMaxFileSize = 256u << 20;

struct PayloadEntry {
  uint32_t dataOffset = 0;
  uint32_t packedSize = 0;
  uint32_t size = 0;
  std::string name;  // below the target folder, trailing blanks removed
};

struct PayloadDirectory {
  uint32_t programSize = 0;
  std::vector<PayloadEntry> entries;  // in extraction order, the installer's own entry left out
};

// CRC-32 (initial value 0) of every byte but the last four.
uint32_t PayloadChecksum(const std::vector<uint8_t>& file);
// That checksum against the one stored in the last four bytes.
bool PayloadChecksumMatches(const std::vector<uint8_t>& file);

// Empty when the name may be written below the target folder; otherwise why not. Refused:
// absolute names, drive letters and streams (any ':'), "." and ".." parts, more than one
// sub-folder level, device names, characters that Windows forbids or changes in file names.
std::string PayloadNameProblem(const std::string& name);

// Reads the directory backwards from the end of the file. Every record must lie in the file,
// every name be terminated within its record and safe, every stream lie between the program and
// the directory. False with the reason when any of it fails; nothing is trusted half-way.
bool ReadPayloadDirectory(const std::vector<uint8_t>& file, PayloadDirectory& directory, std::string& problem);
