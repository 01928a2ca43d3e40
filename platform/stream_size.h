#pragma once
#include <cstdint>
#include <cstdio>

namespace platform {

// The size of an open file in bytes (the stream is left at its end); -1 when it cannot be told.
int64_t StreamSize(FILE* stream);

// The same, leaving the stream where it was; -1 when it cannot be told or put back.
int64_t StreamSizeInPlace(FILE* stream);

}  // namespace platform
