// A value shared between host threads without locks: the host writes parameters from its
// UI or automation thread while the audio thread reads them for every sample. Relaxed
// atomic loads and stores compile to the same plain aligned moves as a bare field, but
// make the sharing well defined.
#pragma once

#include <atomic>

template <typename T>
class Relaxed {
 public:
  Relaxed() = default;
  explicit Relaxed(T v) : value(v) {}
  T load() const { return value.load(std::memory_order_relaxed); }
  void store(T v) { value.store(v, std::memory_order_relaxed); }

 private:
  std::atomic<T> value{};
  static_assert(std::atomic<T>::is_always_lock_free);
  static_assert(sizeof(std::atomic<T>) == sizeof(T));
};
