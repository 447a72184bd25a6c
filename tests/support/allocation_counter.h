// Counts the program's heap allocations and can make a chosen one fail, to show that
// construction failures are caught and leak nothing. Replaces the global operator new
// and delete of the test program (and, on Linux, of a plug-in library it loads).
#pragma once

#include <cstddef>

namespace allocation_counter {

// Allocations made so far, and allocations not yet freed.
std::size_t allocations();
std::ptrdiff_t live();
// The n-th allocation from now (1 = the next one) throws std::bad_alloc; 0 disarms.
void failAfter(std::size_t n);

}  // namespace allocation_counter
