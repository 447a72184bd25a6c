// Plug-in one's transfer curves: three rows of 512 gain factors, row after row. The curve
// row is the Type parameter's curve number, the entry a position scaled by DEPTH.
#pragma once

#include <cstddef>

namespace quorv1_01 {

constexpr std::size_t kFuzzRows = 3;
constexpr std::size_t kFuzzRowLength = 512;

// One table per library, shared by every instance. Filled by each effect construction
// with the same values, so a fill while another instance processes changes nothing it
// reads.
extern float FuzzTable[kFuzzRows * kFuzzRowLength];

// The table as the block kernels read it: for each row and position i, the entries at i
// and i + 1 side by side, so that one 64-bit read fetches both ends of an interpolation;
// the last entry repeats past the end of the row, so that a position of 511
// interpolates to exactly the last entry.
struct alignas(8) GainPair {
  float below;
  float above;
};
constexpr std::size_t kGainPairsPerRow = 512;
extern GainPair FuzzPairs[kFuzzRows * kGainPairsPerRow];

// Writes all entries of both forms. Construction thread; no allocation.
void fillFuzzTable();

}  // namespace quorv1_01
