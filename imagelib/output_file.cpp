#include "output_file.h"

namespace ravelight {

void OutputFile::Write(const void* bytes, size_t size) {
  if (failed_ || size == 0) return;
  if (std::fwrite(bytes, 1, size, stream_) != size) failed_ = true;
}

bool OutputFile::Finish() {
  if (failed_) return false;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) failed_ = true;
  return !failed_;
}

}  // namespace ravelight
