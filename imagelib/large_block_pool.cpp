#include "large_block_pool.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace ravelight {
namespace {

// Smaller blocks the heap keeps and reuses by itself.
constexpr size_t kPooledFrom = size_t{256} << 10;
// What the pool holds between decodes: the coefficients of an 18-megapixel 4:2:0 picture, a
// small share of a 32-bit process's address space.
constexpr size_t kKeptBytes = size_t{64} << 20;
constexpr int kKeptBlocks = 6;
// A fresh block gets an eighth more than asked, in whole 64 KB steps, so that the next picture
// may be a little larger and still reuse it; pages past what a decode uses are never touched.
constexpr size_t kStep = size_t{64} << 10;

// Stands in front of every block; its size keeps the block as aligned as the heap's own.
struct alignas(16) Header {
  size_t capacity;
};

// Blocks given back, oldest first, so that a change of picture size soon replaces them.
struct Kept {
  std::mutex mutex;
  Header* blocks[kKeptBlocks] = {};
  int count = 0;
  size_t bytes = 0;

  Header* RemoveAt(int i) {
    Header* block = blocks[i];
    for (int j = i + 1; j < count; ++j) blocks[j - 1] = blocks[j];
    --count;
    bytes -= block->capacity;
    return block;
  }
};

// Never destroyed: a loader thread may still give a block back while the process ends.
Kept& Pool() {
  static Kept& kept = *new Kept;
  return kept;
}

// A block fits when it is not more than twice the size, so that a small request does not take
// the block the next large one needs. Of equal fits the one given back last is taken.
Header* TakeKept(size_t size) {
  Kept& kept = Pool();
  std::lock_guard<std::mutex> lock(kept.mutex);
  int best = -1;
  for (int i = kept.count - 1; i >= 0; --i) {
    const size_t capacity = kept.blocks[i]->capacity;
    if (capacity >= size && capacity / 2 <= size && (best < 0 || capacity < kept.blocks[best]->capacity)) best = i;
  }
  return best < 0 ? nullptr : kept.RemoveAt(best);
}

// Gives every kept block back to the system; false when there was none.
bool DropKept() {
  Header* dropped[kKeptBlocks];
  int count = 0;
  {
    Kept& kept = Pool();
    std::lock_guard<std::mutex> lock(kept.mutex);
    while (kept.count) dropped[count++] = kept.RemoveAt(kept.count - 1);
  }
  for (int i = 0; i < count; ++i) std::free(dropped[i]);
  return count > 0;
}

size_t CapacityFor(size_t size) {
  if (size < kPooledFrom || size > kKeptBytes) return size;
  const size_t roomy = (size + size / 8 + kStep - 1) / kStep * kStep;
  return std::min(roomy, kKeptBytes);
}

}  // namespace

void* TakeLargeBlock(size_t size) {
  if (size > SIZE_MAX - sizeof(Header) - kStep) return nullptr;
  Header* block = size >= kPooledFrom ? TakeKept(size) : nullptr;
  if (!block) {
    const size_t capacity = CapacityFor(size);
    block = static_cast<Header*>(std::malloc(sizeof(Header) + capacity));
    if (!block && DropKept()) block = static_cast<Header*>(std::malloc(sizeof(Header) + capacity));
    if (!block) return nullptr;
    block->capacity = capacity;
  }
  return block + 1;
}

void GiveBackLargeBlock(void* given) {
  if (!given) return;
  Header* block = static_cast<Header*>(given) - 1;
  if (block->capacity < kPooledFrom || block->capacity > kKeptBytes) {
    std::free(block);
    return;
  }
  Header* dropped[kKeptBlocks];
  int count = 0;
  {
    Kept& kept = Pool();
    std::lock_guard<std::mutex> lock(kept.mutex);
    if (kept.count == kKeptBlocks) dropped[count++] = kept.RemoveAt(0);
    kept.blocks[kept.count++] = block;
    kept.bytes += block->capacity;
    while (kept.bytes > kKeptBytes) dropped[count++] = kept.RemoveAt(0);
  }
  for (int i = 0; i < count; ++i) std::free(dropped[i]);
}

}  // namespace ravelight
