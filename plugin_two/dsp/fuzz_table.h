// Plug-in two's transfer curves: three rows of 2048 gain factors, row after row, of the
// family 1 / (1 + a * u^n). The curve row is the Type parameter's curve number, the entry
// a position scaled by DEPTH.
#pragma once

#include <cstddef>

namespace quorv1_02 {

constexpr std::size_t kFuzzRows = 3;
constexpr std::size_t kFuzzRowLength = 2048;

// One table per library, shared by every instance. Filled by each effect construction
// with the same values, so a fill while another instance processes changes nothing it
// reads.
extern float FuzzTable[kFuzzRows * kFuzzRowLength];

// Writes all entries. Construction thread; no allocation.
void fillFuzzTable();

}  // namespace quorv1_02
