#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> allocationCount{0};
std::atomic<std::ptrdiff_t> liveCount{0};
std::atomic<std::size_t> failAt{0};

void* allocate(std::size_t size) {
  const std::size_t n = ++allocationCount;
  const std::size_t target = failAt.load();
  if (target != 0 && n == target) {
    failAt = 0;
    throw std::bad_alloc();
  }
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  ++liveCount;
  return p;
}

void release(void* p) {
  if (!p) return;
  --liveCount;
  std::free(p);
}
}  // namespace

namespace allocation_counter {
std::size_t allocations() { return allocationCount.load(); }
std::ptrdiff_t live() { return liveCount.load(); }
void failAfter(std::size_t n) { failAt = n ? allocationCount.load() + n : 0; }
}  // namespace allocation_counter

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
