// Plug-in one's waveshaper, one sample at a time (the audio path runs the same
// computation a group of samples at a time: block_kernel.h).
//
// Reads only FuzzTable and its arguments; whatever the sample and parameter values (out of
// range, NaN, infinite), every table read stays inside the chosen row.
#pragma once

#include <cmath>
#include <cstdint>

#include "fuzz_table.h"

namespace quorv1_01 {

// Type values outside 0..1 give curve numbers with no row; they use the nearest row.
inline std::size_t curveRow(std::int32_t curve) {
  return curve < 0 ? 0 : curve > 2 ? 2 : static_cast<std::size_t>(curve);
}

inline const float* fuzzRow(std::int32_t curve) {
  return FuzzTable + curveRow(curve) * kFuzzRowLength;
}

// The entry of the reference position 256 * depth, kept inside the row (NaN gives 0).
inline std::uint32_t referenceIndex(float depth) {
  constexpr std::uint32_t last = kFuzzRowLength - 1;
  const float reference = depth * 256.0f;
  return !(reference > 0.0f)        ? 0
         : reference >= float(last) ? last
                                    : static_cast<std::uint32_t>(reference);
}

// Shaped sample: the gain at position |511 * depth * x|, interpolated between two entries,
// divided by the gain at the reference position 256 * depth.
inline double fuzz(float x, float depth, std::int32_t curve) {
  const float* const table = fuzzRow(curve);
  constexpr std::uint32_t last = kFuzzRowLength - 1;

  const double position = std::fabs((511.0 * depth) * x);
  double gain;
  if (position < 511.0) {
    const auto i = static_cast<std::uint32_t>(position);
    const double fraction = position - i;
    gain = table[i] + fraction * (static_cast<double>(table[i + 1]) - table[i]);
  } else {
    // At the end of the curve and beyond it (and for a NaN position) the gain holds.
    gain = table[last];
  }

  return (static_cast<double>(x) / table[referenceIndex(depth)]) * gain;
}

}  // namespace quorv1_01
