#include "fuzz_table.h"

namespace quorv1_01 {

float FuzzTable[kFuzzRows * kFuzzRowLength];
GainSegment FuzzSegments[kFuzzRows * kSegmentsPerRow];

void fillFuzzTable() {
  float* const row0 = FuzzTable;
  float* const row1 = FuzzTable + kFuzzRowLength;
  float* const row2 = FuzzTable + 2 * kFuzzRowLength;
  for (std::size_t k = 0; k < kFuzzRowLength; ++k) {
    const int position = static_cast<int>(k);
    // A compressor over the whole range.
    row0[k] = static_cast<float>(49.99 / (50 + position));
    // Rows 1 and 2 are flat over their first half and bend over in the second.
    if (k < 256) {
      row1[k] = 1.0f;
      row2[k] = 1.0f;
    } else {
      row1[k] = static_cast<float>(512.0 / (position + 256.0));
      const double bracket = (position * 0.001953125) * 0.5 + 0.75;
      row2[k] = static_cast<float>(1.0 / (bracket * bracket));
    }
  }
  for (std::size_t r = 0; r < kFuzzRows; ++r) {
    const float* const row = FuzzTable + r * kFuzzRowLength;
    for (std::size_t k = 0; k < kSegmentsPerRow; ++k) {
      const double next = row[k + 1 < kFuzzRowLength ? k + 1 : k];
      FuzzSegments[r * kSegmentsPerRow + k] = {row[k], next - row[k]};
    }
  }
}

}  // namespace quorv1_01
