#include "drop_files_block.h"

namespace {

constexpr size_t kHeaderSize = 20;  // DROPFILES: list offset, point (x, y), non-client flag, wide flag

}  // namespace

std::string DropFilesBlock(const std::string& path) {
  std::string block(kHeaderSize, '\0');
  block[0] = char(kHeaderSize);  // the list offset, little-endian; the other header fields stay 0
  return block + path + std::string(2, '\0');
}
