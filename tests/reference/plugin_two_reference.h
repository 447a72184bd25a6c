// Plug-in two's processing written plainly: one frame at a time in double precision, the
// parameters read for every frame, its own curve table made from the formulas. The oracle
// that the vector kernels must match bit for bit, and the benchmarks' baseline.
//
// It carries the same answers for hostile input as the effect: a NaN sample gives silence,
// infinite samples act as the largest finite floats, an amplified sample beyond the float
// range takes the range's end, Type values that point at no curve take the nearest one,
// the reference position is kept inside the row, the position limit applies to NaN
// positions too, and a NaN result becomes 0.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace reference {

class PluginTwo {
 public:
  struct Parameters {
    float preAmp;
    float depth;
    float mix;
    float type;
  };

  PluginTwo() {
    for (int k = 0; k < kRowLength; ++k) {
      const double u = k * 0.00048828125;
      curves[0][k] = static_cast<float>(1.0 / (1.0 + 8.0 * u));
      curves[1][k] = static_cast<float>(1.0 / (1.0 + 32.0 * u * u));
      curves[2][k] = static_cast<float>(1.0 / (1.0 + (64.0 * u) * (u * u)));
    }
  }

  double sample(float x, const Parameters& p) const {
    if (std::isnan(x)) return 0.0;
    if (x > FLT_MAX) x = FLT_MAX;
    if (x < -FLT_MAX) x = -FLT_MAX;

    // The pre-amp, its result rounded to a float sample.
    const double amplified = (p.preAmp + 1.0) * x;
    float a;
    if (amplified > FLT_MAX)
      a = FLT_MAX;
    else if (amplified < -FLT_MAX)
      a = -FLT_MAX;
    else
      a = static_cast<float>(amplified);  // NaN stays NaN

    // The curve: the whole part of Type * 2.9, the nearest row where there is none.
    const double type = p.type * 2.9;
    const float* const curve = curves[!(type >= 1.0) ? 0 : type >= 2.0 ? 2 : 1];

    double position = std::fabs((511.0 * p.depth) * a);
    if (!(position <= 510.99)) position = 510.99f;
    const auto i = static_cast<std::uint32_t>(position);
    const double fraction = position - i;
    const double gain = curve[i] + fraction * (static_cast<double>(curve[i + 1]) - curve[i]);
    const float referencePosition = p.depth * 512.0f;
    std::uint32_t r = 0;
    if (referencePosition >= 2047.0f)
      r = 2047;
    else if (referencePosition > 0.0f)
      r = static_cast<std::uint32_t>(referencePosition);
    const double shaped = ((static_cast<double>(a) / curve[r]) * gain) * 0.5;

    double y = (1.0 - p.mix) * shaped + static_cast<double>(p.mix) * x;
    if (y > 1.0) y = 1.0;
    if (y < -1.0) y = -1.0;
    if (std::isnan(y)) y = 0.0;
    return y;
  }

  void replacing(const float* in0, const float* in1, float* out0, float* out1,
                 std::int32_t frames, const Parameters& p) const {
    for (std::int32_t k = 0; k < frames; ++k) {
      const float x0 = in0[k];
      const float x1 = in1[k];
      out0[k] = static_cast<float>(sample(x0, p));
      out1[k] = static_cast<float>(sample(x1, p));
    }
  }

  void accumulating(const float* in0, const float* in1, float* out0, float* out1,
                    std::int32_t frames, const Parameters& p) const {
    for (std::int32_t k = 0; k < frames; ++k) {
      const float x0 = in0[k];
      const float x1 = in1[k];
      out0[k] = static_cast<float>(out0[k] + sample(x0, p));
      out1[k] = static_cast<float>(out1[k] + sample(x1, p));
    }
  }

 private:
  static constexpr int kRowLength = 2048;
  float curves[3][kRowLength];
};

}  // namespace reference
