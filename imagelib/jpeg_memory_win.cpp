// The codec's large blocks (a progressive picture's coefficients, its rows of samples) come from
// the pool, so that one file after another reuses the same pages instead of the system mapping
// and zeroing fresh ones for each. The codec is linked in statically, and the link wraps its two
// large-block functions (imagelib/CMakeLists.txt).
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "large_block_pool.h"

extern "C" {

void* __wrap_jpeg_get_large(j_common_ptr, size_t size) { return ravelight::TakeLargeBlock(size); }

void __wrap_jpeg_free_large(j_common_ptr, void* block, size_t) { ravelight::GiveBackLargeBlock(block); }

}
