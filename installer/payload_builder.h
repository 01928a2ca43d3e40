#pragma once
// Builds an installer file: the program's bytes, then each payload file as a zlib stream, the
// directory (the program's own record first, the files in the reverse of their extraction
// order), the reserved word and the checksum.
#include <cstdint>
#include <string>
#include <vector>

struct PayloadFile {
  std::string name;  // stored as given, at most 31 bytes; the caller checks that it is safe
  std::vector<uint8_t> bytes;
};

// False when there is no program (a stream at offset 0 would read as the program's own record),
// a name does not fit its record or the file would pass 4 GB.
bool BuildInstallerFile(const std::vector<uint8_t>& program, const std::vector<PayloadFile>& extractionOrder,
                        std::vector<uint8_t>& installer);

// Recomputes the checksum in the last four bytes after the file's bytes were changed.
void StoreInstallerChecksum(std::vector<uint8_t>& installer);
