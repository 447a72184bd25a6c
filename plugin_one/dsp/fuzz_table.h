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

// The table as the block kernels read it: for each row and position i, the segment from
// entry i to entry i + 1 as the interpolation uses it, the entry widened to double and the
// rise to the next one (their difference in double precision, as the per-sample code
// computes it), so that one 16-byte read serves an interpolation. The last segment has
// no rise, so that the position 511 gives exactly the last entry.
struct alignas(16) GainSegment {
  double gain;
  double rise;
};
constexpr std::size_t kSegmentsPerRow = 512;
extern GainSegment FuzzSegments[kFuzzRows * kSegmentsPerRow];

// Writes all entries of both forms. Construction thread; no allocation.
void fillFuzzTable();

}  // namespace quorv1_01
