// Replaces the C allocation functions of the fxhost program, and so of every library it
// loads (their calls bind to the program's definitions; operator new allocates through
// malloc), to count allocations while the allocation probe is armed. Forwards to the C
// library's own allocator. Not built with a sanitizer, which brings its own allocator.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "allocation_probe.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* p);

void* malloc(std::size_t size) {
  allocation_probe::noteAllocation();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  allocation_probe::noteAllocation();
  return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
  allocation_probe::noteAllocation();
  return __libc_realloc(p, size);
}
void free(void* p) { __libc_free(p); }
void* aligned_alloc(std::size_t alignment, std::size_t size) {
  allocation_probe::noteAllocation();
  return __libc_memalign(alignment, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
  allocation_probe::noteAllocation();
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
  allocation_probe::noteAllocation();
  void* p = __libc_memalign(alignment, size);
  if (!p) return 12;  // ENOMEM
  *out = p;
  return 0;
}
}

namespace {
struct MarkInterposed {
  MarkInterposed() { allocation_probe::interposed.store(true); }
} markInterposed;
}  // namespace
