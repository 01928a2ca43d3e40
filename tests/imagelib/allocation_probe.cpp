#include "allocation_probe.h"

#if defined(_WIN32)
#define PSAPI_VERSION 2
#include <windows.h>
#include <psapi.h>
#elif defined(__SANITIZE_ADDRESS__)
#include <atomic>
#include <cstddef>
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));
#endif

#if defined(_WIN32)

int64_t LargestAllocationDuring(const std::function<void()>& work) {
  PROCESS_MEMORY_COUNTERS before{}, after{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before)) return -1;
  work();
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after)) return -1;
  return after.PeakPagefileUsage > before.PagefileUsage ? int64_t(after.PeakPagefileUsage - before.PagefileUsage) : 0;
}

#elif defined(__SANITIZE_ADDRESS__)

namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

void NoteAllocation(const volatile void*, size_t size) {
  if (!watching.load(std::memory_order_relaxed)) return;
  size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
}

void IgnoreFree(const volatile void*) {}

}  // namespace

int64_t LargestAllocationDuring(const std::function<void()>& work) {
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(NoteAllocation, IgnoreFree) != 0;
  if (!installed) return -1;
  largest = 0;
  watching = true;
  work();
  watching = false;
  return int64_t(largest.load());
}

#else

int64_t LargestAllocationDuring(const std::function<void()>& work) {
  work();
  return -1;
}

#endif
