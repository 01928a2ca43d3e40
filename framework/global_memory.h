#pragma once
// Movable global memory (clipboard, DIBs) locked for the scope.
#include <windows.h>

class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {}
  ~GlobalLockScope() {
    if (data_) ::GlobalUnlock(memory_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* data() const { return data_; }
  SIZE_T size() const { return data_ ? ::GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;
  void* data_;
};
