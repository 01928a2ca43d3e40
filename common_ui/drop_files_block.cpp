#include "drop_files_block.h"

namespace {

constexpr size_t kHeaderSize = 20;  // DROPFILES: list offset, point (x, y), non-client flag, wide flag

}  // namespace

std::string DropFilesBlock(const std::vector<std::string>& paths) {
  std::string block(kHeaderSize, '\0');
  block[0] = char(kHeaderSize);  // the list offset, little-endian; the other header fields stay 0
  for (const std::string& path : paths) block += path + '\0';
  // An empty list still ends in two NULs, as readers expect.
  if (paths.empty()) block += '\0';
  return block + '\0';
}

std::string DropFilesBlock(const std::string& path) { return DropFilesBlock(std::vector<std::string>{path}); }
