#pragma once
// A COM interface pointer released when it goes out of scope.
#include <utility>

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}

  Interface* get() const { return p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For functions that hand out an interface through a pointer argument.
  void** out() {
    reset();
    return reinterpret_cast<void**>(&p_);
  }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  Interface* p_ = nullptr;
};
