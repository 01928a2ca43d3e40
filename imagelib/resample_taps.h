#pragma once
// What the resampling filters share: where an output sample comes from, and work memory.
#include <cstddef>
#include <cstdlib>

namespace ravelight {

// An output sample along one axis: first × firstWeight + second × secondWeight, scaled by the
// filter's own divisor.
struct Tap {
  int first;
  int second;
  int firstWeight;
  int secondWeight;
};

// Work memory of a filter, freed on every way out; false when memory ran out.
template <typename T>
class Scratch {
 public:
  explicit Scratch(size_t count) : data_(static_cast<T*>(std::malloc(count ? count * sizeof(T) : 1))) {}
  ~Scratch() { std::free(data_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  explicit operator bool() const { return data_ != nullptr; }
  T* get() const { return data_; }
  T& operator[](size_t i) const { return data_[i]; }

 private:
  T* data_;
};

}  // namespace ravelight
