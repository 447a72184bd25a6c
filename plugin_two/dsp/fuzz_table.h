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

// The table as the block kernels read it: for each row and position i, the segment from
// entry i to entry i + 1 as the interpolation uses it, the entry widened to double and the
// rise to the next one (their difference in double precision, as the per-sample code
// computes it), so that one 16-byte read serves an interpolation. Only the first 512
// segments are ever interpolated.
struct alignas(16) GainSegment {
  double gain;
  double rise;
};
constexpr std::size_t kSegmentsPerRow = 512;
extern GainSegment FuzzSegments[kFuzzRows * kSegmentsPerRow];

// Writes all entries of both forms. Construction thread; no allocation.
void fillFuzzTable();

}  // namespace quorv1_02
