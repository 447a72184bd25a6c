#include "fuzz_table.h"

namespace quorv1_02 {

float FuzzTable[kFuzzRows * kFuzzRowLength];
GainSegment FuzzSegments[kFuzzRows * kSegmentsPerRow];

void fillFuzzTable() {
  float* const row0 = FuzzTable;
  float* const row1 = FuzzTable + kFuzzRowLength;
  float* const row2 = FuzzTable + 2 * kFuzzRowLength;
  for (std::size_t k = 0; k < kFuzzRowLength; ++k) {
    const double u = static_cast<double>(k) * 0.00048828125;  // k / 2048, exact
    // Higher powers keep the gain near 1 for longer, then fall off harder.
    row0[k] = static_cast<float>(1.0 / (1.0 + 8.0 * u));
    row1[k] = static_cast<float>(1.0 / (1.0 + 32.0 * u * u));
    row2[k] = static_cast<float>(1.0 / (1.0 + (64.0 * u) * (u * u)));
  }
  for (std::size_t r = 0; r < kFuzzRows; ++r) {
    const float* const row = FuzzTable + r * kFuzzRowLength;
    for (std::size_t k = 0; k < kSegmentsPerRow; ++k)
      FuzzSegments[r * kSegmentsPerRow + k] = {row[k], static_cast<double>(row[k + 1]) - row[k]};
  }
}

}  // namespace quorv1_02
