// Plug-in one's block kernel, written once over the lane operations of dsp/simd_*.h and
// compiled once per instruction set (block_kernel_<set>.cpp).
//
// Each step is the per-sample computation done in every lane at once, the same IEEE
// double operations in the same order, so that every lane's bits match it: a NaN input
// gives silence, infinite inputs act as the largest finite floats, positions at or
// beyond the end of the row (and NaN ones) take the row's last gain, and a NaN result
// becomes 0. Table reads stay inside the row: lanes beyond its end read entry 0.
#pragma once

#include <cfloat>
#include <cstdint>

#include "block_kernel.h"

namespace quorv1_01 {

template <typename V, bool accumulate>
void shapeLanes(const GroupSettings& s, const float* in, float* out0, float* out1) {
  using D = typename V::Doubles;
  const D input = V::load(in);
  const auto silent = V::isNaN(input);
  D x = V::select(V::greater(input, V::all(FLT_MAX)), V::all(FLT_MAX), input);
  x = V::select(V::less(x, V::all(-FLT_MAX)), V::all(-FLT_MAX), x);

  const D position = V::abs(V::mul(V::all(s.scale), x));
  const auto onRow = V::less(position, V::all(511.0));
  const D p = V::select(onRow, position, V::all(0.0));
  const auto i = V::truncate(p);
  const D fraction = V::sub(p, V::widen(i));
  const D below = V::gather(s.row, i);
  const D above = V::gather(s.row + 1, i);
  D gain = V::add(below, V::mul(fraction, V::sub(above, below)));
  gain = V::select(onRow, gain, V::all(s.lastGain));
  const D shaped = V::mul(V::div(x, V::all(s.reference)), gain);

  D y = V::add(V::mul(V::all(s.wet), shaped), V::mul(V::all(s.dry), x));
  y = V::select(V::greater(y, V::all(1.0)), V::all(1.0), y);
  y = V::select(V::less(y, V::all(-1.0)), V::all(-1.0), y);
  y = V::select(V::either(silent, V::isNaN(y)), V::all(0.0), y);

  if (accumulate) {
    V::store(out0, V::add(V::load(out0), y));
    V::store(out1, V::add(V::load(out1), y));
  } else {
    V::store(out0, y);
    V::store(out1, y);
  }
}

// Whole vectors straight from the buffers; a last partial vector through zero-padded
// copies, so that nothing outside the caller's `frames` samples is read or written.
template <typename V, bool accumulate>
void shapeGroup(const GroupSettings& s, const float* in, float* out0, float* out1,
                std::int32_t frames) {
  constexpr std::int32_t w = V::kWidth;
  std::int32_t k = 0;
  for (; k + w <= frames; k += w) shapeLanes<V, accumulate>(s, in + k, out0 + k, out1 + k);
  if (k == frames) return;
  float x[w] = {}, y0[w] = {}, y1[w] = {};
  const std::int32_t n = frames - k;
  for (std::int32_t j = 0; j < n; ++j) {
    x[j] = in[k + j];
    y0[j] = out0[k + j];
    y1[j] = out1[k + j];
  }
  shapeLanes<V, accumulate>(s, x, y0, y1);
  for (std::int32_t j = 0; j < n; ++j) {
    out0[k + j] = y0[j];
    out1[k + j] = y1[j];
  }
}

template <typename V>
constexpr BlockKernels kernelsFor() {
  return {&shapeGroup<V, false>, &shapeGroup<V, true>};
}

// The kernels of each path, each defined in the source built for its instruction set.
extern const BlockKernels kSse2Kernels;
extern const BlockKernels kAvx2Kernels;
extern const BlockKernels kAvx512Kernels;

}  // namespace quorv1_01
