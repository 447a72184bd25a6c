#include "guarded_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <new>

GuardedMemory::GuardedMemory(std::size_t bytes, unsigned char fill) : length(bytes) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t usablePages = (bytes + page - 1) / page + (bytes == 0 ? 1 : 0);
  mappingSize = (usablePages + 1) * page;
  mapping = mmap(nullptr, mappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  unsigned char* base = static_cast<unsigned char*>(mapping);
  unsigned char* guard = base + usablePages * page;
  if (mprotect(guard, page, PROT_NONE) != 0) {
    munmap(mapping, mappingSize);
    throw std::bad_alloc();
  }
  start = guard - bytes;
  std::memset(start, fill, bytes);
}

GuardedMemory::~GuardedMemory() {
  if (mapping) munmap(mapping, mappingSize);
}

bool GuardedText::terminated() const { return std::memchr(data(), 0, size()) != nullptr; }

bool GuardedText::untouched() const {
  for (std::size_t i = 0; i < size(); ++i)
    if (static_cast<unsigned char>(data()[i]) != kFill) return false;
  return true;
}

std::size_t GuardedText::length() const { return strnlen(data(), size()); }
