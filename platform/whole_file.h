#pragma once
// A file read into memory, or written from it, at once.
#include <string>

namespace platform {

// Every byte of the file into bytes; false when it cannot be opened or a read fails, with bytes
// holding what could be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// The bytes as the whole file, written at its own name (no temporary beside it); false when any
// step fails, leaving what was written.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace platform
