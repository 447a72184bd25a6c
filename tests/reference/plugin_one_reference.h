// Plug-in one's processing written plainly: one sample at a time in double precision,
// the parameters read for every sample, its own curve table made from the formulas. The
// oracle that the vector kernels must match bit for bit, and the benchmarks' baseline.
//
// It carries the same answers for hostile input as the effect: a NaN sample gives silence,
// infinite samples act as the largest finite floats, Type values that point at no curve
// take the nearest one, the reference position is kept inside the row, positions at or
// beyond the row's end (and NaN ones) take its last gain, and a NaN result becomes 0.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace reference {

class PluginOne {
 public:
  struct Parameters {
    float depth;
    float mix;
    float type;
  };

  PluginOne() {
    for (int k = 0; k < kRowLength; ++k) {
      curves[0][k] = static_cast<float>(49.99 / (50 + k));
      curves[1][k] = k < 256 ? 1.0f : static_cast<float>(512.0 / (k + 256.0));
      const double bracket = (k * 0.001953125) * 0.5 + 0.75;
      curves[2][k] = k < 256 ? 1.0f : static_cast<float>(1.0 / (bracket * bracket));
    }
  }

  double sample(float x, const Parameters& p) const {
    if (std::isnan(x)) return 0.0;
    if (x > FLT_MAX) x = FLT_MAX;
    if (x < -FLT_MAX) x = -FLT_MAX;

    // The curve: the whole part of Type * 2.9, the nearest row where there is none.
    const double type = p.type * 2.9;
    const float* const curve = curves[!(type >= 1.0) ? 0 : type >= 2.0 ? 2 : 1];

    const double position = std::fabs((511.0 * p.depth) * x);
    double gain = curve[kRowLength - 1];
    if (position < 511.0) {
      const auto i = static_cast<std::uint32_t>(position);
      const double fraction = position - i;
      gain = curve[i] + fraction * (static_cast<double>(curve[i + 1]) - curve[i]);
    }
    const float referencePosition = p.depth * 256.0f;
    std::uint32_t r = 0;
    if (referencePosition >= 511.0f)
      r = 511;
    else if (referencePosition > 0.0f)
      r = static_cast<std::uint32_t>(referencePosition);
    const double shaped = (static_cast<double>(x) / curve[r]) * gain;

    double y = (1.0 - p.mix) * shaped + static_cast<double>(p.mix) * x;
    if (y > 1.0) y = 1.0;
    if (y < -1.0) y = -1.0;
    if (std::isnan(y)) y = 0.0;
    return y;
  }

  void replacing(const float* in, float* out0, float* out1, std::int32_t frames,
                 const Parameters& p) const {
    for (std::int32_t k = 0; k < frames; ++k) {
      const double y = sample(in[k], p);
      out0[k] = static_cast<float>(y);
      out1[k] = static_cast<float>(y);
    }
  }

  void accumulating(const float* in, float* out0, float* out1, std::int32_t frames,
                    const Parameters& p) const {
    for (std::int32_t k = 0; k < frames; ++k) {
      const double y = sample(in[k], p);
      out0[k] = static_cast<float>(out0[k] + y);
      out1[k] = static_cast<float>(out1[k] + y);
    }
  }

 private:
  static constexpr int kRowLength = 512;
  float curves[3][kRowLength];
};

}  // namespace reference
