#pragma once
// COM for the calling thread for as long as the scope lasts, however it ends.
#include <objbase.h>

class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  const bool ok_;
};
