#pragma once
// Large blocks kept from one decode for the next. A heap hands a block of more than about half a
// megabyte to the system when it is freed and maps fresh pages for the next one, so a decoder
// that asks for tens of megabytes per file (a progressive JPEG's coefficients) pays the first
// touch of every page again for every file; under Wine that costs more than the decoding itself.
// The pool is shared by every thread; a block is only ever held by the one that took it.
#include <cstddef>

namespace ravelight {

// A block of at least size bytes, aligned for any type; null when memory is short even after
// the kept blocks were given back to the system.
void* TakeLargeBlock(size_t size);

// Keeps the block for a later TakeLargeBlock (within a bound on what the pool holds), or frees
// it. Null is ignored.
void GiveBackLargeBlock(void* block);

}  // namespace ravelight
