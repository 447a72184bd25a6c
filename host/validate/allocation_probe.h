// Counts heap allocations made while armed. The counting is done by replacements of the C
// allocation functions linked into the fxhost executable (allocation_interposer.cpp), which
// call noteAllocation(); a program without them reports the probe as unavailable.
#pragma once

#include <atomic>
#include <cstddef>

namespace allocation_probe {

// Set by the interposer when it is linked in.
extern std::atomic<bool> interposed;
extern std::atomic<bool> armed;
extern std::atomic<std::size_t> count;

inline bool available() { return interposed.load(std::memory_order_relaxed); }
inline void arm() {
  count.store(0);
  armed.store(true);
}
inline std::size_t disarm() {
  armed.store(false);
  return count.load();
}
// Called from inside malloc: must not allocate.
inline void noteAllocation() {
  if (armed.load(std::memory_order_relaxed)) count.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace allocation_probe
