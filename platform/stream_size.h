#pragma once
#include <cstdint>
#include <cstdio>

namespace platform {

// The size of an open file in bytes (the stream is left at its end); -1 when it cannot be told.
int64_t StreamSize(FILE* stream);

}  // namespace platform
