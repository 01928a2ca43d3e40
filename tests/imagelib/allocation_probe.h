#pragma once
// How much memory a piece of work took at its worst, so that tests can tell a refused file from
// one that reserved a gigabyte first and failed later.
#include <cstdint>
#include <functional>

// Natively (AddressSanitizer builds) the largest single block allocated while work ran; on
// Windows how far the process's committed memory rose above where it stood before. -1 where the
// build cannot tell.
int64_t LargestAllocationDuring(const std::function<void()>& work);
