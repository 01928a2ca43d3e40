// The pool that keeps decoders' large blocks from one file for the next: which block comes back
// for which request, and what it lets go. (Threads sharing it are tested through the decoder, in
// jpeg_progressive_thumbnail_test.)
#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "large_block_pool.h"

#if defined(__SANITIZE_ADDRESS__)
// An impossible request must come back as null here too, as it does from the system's heap.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif

namespace {

constexpr size_t kMiB = size_t{1} << 20;

// Each case uses sizes of its own, apart from every other test's, so that what earlier tests left
// in the pool (they share it where the tests run in one process) can never serve it better.
struct Reuse {
  const char* name;
  size_t first;
  size_t then;
  bool sameBlock;
};

class LargeBlockReuse : public testing::TestWithParam<Reuse> {};

TEST_P(LargeBlockReuse, ServesTheNextRequestFromWhatWasGivenBack) {
  const Reuse& r = GetParam();
  void* first = ravelight::TakeLargeBlock(r.first);
  ASSERT_NE(first, nullptr);
  std::memset(first, 0x5A, r.first);
  ravelight::GiveBackLargeBlock(first);
  void* then = ravelight::TakeLargeBlock(r.then);
  ASSERT_NE(then, nullptr);
  std::memset(then, 0xA5, r.then);
  EXPECT_EQ(then == first, r.sameBlock);
  ravelight::GiveBackLargeBlock(then);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LargeBlockReuse,
    testing::Values(Reuse{"sameSize", 1200 << 10, 1200 << 10, true},
                    Reuse{"aLittleLarger", 9 * kMiB, 9 * kMiB + 500'000, true},
                    Reuse{"muchSmaller", 24 * kMiB, 5 * kMiB, false},
                    Reuse{"overHalfItsRoom", 2500 * 1024, 1450 * 1024, true}),
    [](const testing::TestParamInfo<Reuse>& info) { return std::string(info.param.name); });

TEST(LargeBlockPool, KeepsTheBlocksGivenBackLast) {
  constexpr int kGiven = 8;
  std::vector<void*> given;
  for (int i = 0; i < kGiven; ++i) given.push_back(ravelight::TakeLargeBlock(11 * kMiB / 4));
  for (void* block : given) ravelight::GiveBackLargeBlock(block);
  // Six blocks of the size, at most 64 MB in all: the last six given back.
  std::set<void*> taken;
  for (int i = 0; i < 6; ++i) taken.insert(ravelight::TakeLargeBlock(11 * kMiB / 4));
  EXPECT_EQ(taken, std::set<void*>(given.begin() + 2, given.end()));
  for (void* block : taken) ravelight::GiveBackLargeBlock(block);
}

TEST(LargeBlockPool, ImpossibleRequestsFailAndThePoolGoesOn) {
  void* kept = ravelight::TakeLargeBlock(7 * kMiB);
  ravelight::GiveBackLargeBlock(kept);
  EXPECT_EQ(ravelight::TakeLargeBlock(SIZE_MAX), nullptr);
  EXPECT_EQ(ravelight::TakeLargeBlock(SIZE_MAX / 2), nullptr);
  void* block = ravelight::TakeLargeBlock(7 * kMiB);
  ASSERT_NE(block, nullptr);
  std::memset(block, 0, 7 * kMiB);
  ravelight::GiveBackLargeBlock(block);
  ravelight::GiveBackLargeBlock(nullptr);
}

}  // namespace
