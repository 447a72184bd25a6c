// Plug-in two's per-sample work: the pre-amp, the waveshaper and the dry/wet blend.
//
// Audio thread. Reads only FuzzTable and its arguments; whatever the sample and parameter
// values (out of range, NaN, infinite), every table read stays inside the chosen row and
// the result is a finite sample in -1..1.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "fuzz_table.h"

namespace quorv1_02 {

// Type values outside 0..1 give curve numbers with no row; they use the nearest row.
inline const float* fuzzRow(std::int32_t curve) {
  const std::int32_t row = curve < 0 ? 0 : curve > 2 ? 2 : curve;
  return FuzzTable + static_cast<std::size_t>(row) * kFuzzRowLength;
}

// Shaped sample: the gain at position |511 * depth * x|, interpolated between two entries,
// divided by the gain at the reference position 512 * depth, and halved.
inline double fuzz(float x, float depth, std::int32_t curve) {
  const float* const table = fuzzRow(curve);
  constexpr std::uint32_t last = kFuzzRowLength - 1;

  double position = std::fabs((511.0 * depth) * x);
  // Beyond the limit the gain holds, so loud samples grow linearly again. Written so that
  // a NaN position is limited too.
  if (!(position <= 510.99)) position = static_cast<double>(510.99f);
  const auto i = static_cast<std::uint32_t>(position);
  const double fraction = position - i;
  const double gain = table[i] + fraction * (static_cast<double>(table[i + 1]) - table[i]);

  const float reference = depth * 512.0f;
  const std::uint32_t r = !(reference > 0.0f)        ? 0
                          : reference >= float(last) ? last
                                                     : static_cast<std::uint32_t>(reference);
  return ((static_cast<double>(x) / table[r]) * gain) * 0.5;
}

// A double as the nearest float sample, without the undefined conversion of values
// beyond the float range; NaN stays NaN.
inline float toSample(double v) {
  if (v > FLT_MAX) return FLT_MAX;
  if (v < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(v);
}

// One output sample: the input amplified by 1 + preAmp and shaped, blended with the
// unamplified input by mix (the dry share), clipped to -1..1. A NaN input gives silence;
// infinite inputs act as the largest finite ones.
inline double shapeSample(float x, float preAmp, float depth, float mix, std::int32_t curve) {
  if (std::isnan(x)) return 0.0;
  if (x > FLT_MAX) x = FLT_MAX;
  if (x < -FLT_MAX) x = -FLT_MAX;
  const double gain = preAmp + 1.0;
  const double shaped = fuzz(toSample(gain * x), depth, curve);
  double y = (1.0 - mix) * shaped + static_cast<double>(mix) * x;
  if (y > 1.0) y = 1.0;
  if (y < -1.0) y = -1.0;
  if (std::isnan(y)) y = 0.0;  // only parameters far outside 0..1 get here
  return y;
}

}  // namespace quorv1_02
