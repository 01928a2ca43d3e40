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

int64_t StreamSizeInPlace(FILE* stream) {
#if defined(_WIN32)
  const int64_t at = _ftelli64(stream);
  const int64_t size = at < 0 ? -1 : StreamSize(stream);
  return at >= 0 && _fseeki64(stream, at, SEEK_SET) == 0 ? size : -1;
#else
  const int64_t at = ftello(stream);
  const int64_t size = at < 0 ? -1 : StreamSize(stream);
  return at >= 0 && fseeko(stream, at, SEEK_SET) == 0 ? size : -1;
#endif
}

}  // namespace platform
