#include "stream_size.h"

namespace platform {

int64_t StreamSize(FILE* stream) {
#if defined(_WIN32)
  if (_fseeki64(stream, 0, SEEK_END) != 0) return -1;
  return _ftelli64(stream);
#else
  if (fseeko(stream, 0, SEEK_END) != 0) return -1;
  return ftello(stream);
#endif
}

}  // namespace platform
