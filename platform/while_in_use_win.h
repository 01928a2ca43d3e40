#pragma once
// A file that another program is reading for a moment without sharing its deletion (a virus
// scanner, an indexer, a viewer) refuses to be moved, replaced or removed until it is let go: such
// a step is tried again for a few seconds before it counts as failed, rather than failing for the
// user.
#include <windows.h>

namespace platform {

constexpr DWORD kInUseRetryMilliseconds = 3000;
constexpr DWORD kInUseRetryPause = 50;

// step() is true when done; false with the thread's last error telling why. Only a file in use is
// waited for: any other failure is at once what it is. alsoInUse names one more error that means
// a file in use where the caller has ruled out its other causes.
template <typename Step>
bool RetriedWhileInUse(Step step, DWORD alsoInUse = ERROR_SUCCESS) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (step()) return true;
    const DWORD error = ::GetLastError();
    const bool inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                       (alsoInUse != ERROR_SUCCESS && error == alsoInUse);
    if (!inUse || ::GetTickCount() - start >= kInUseRetryMilliseconds) {
      ::SetLastError(error);
      return false;
    }
    ::Sleep(kInUseRetryPause);
  }
}

}  // namespace platform
