// Plug-in one's block kernel, written once over the lane operations of dsp/simd_*.h and
// compiled once per instruction set (block_kernel_<set>.cpp).
//
// Each lane gets the bits the per-sample computation gives, from the same IEEE double
// operations in the same order: x / reference stays a division, the blend is
// (1 - mix) * shaped + mix * x. The answers to hostile input come out the same too, some
// by a shorter route:
// - infinite samples are limited to the largest finite floats, and a NaN sample is left
//   NaN: it makes the result NaN, which becomes 0, the silence the per-sample code gives;
// - positions at or beyond the row's end, and NaN ones, become 511, whose segment has no
//   rise, so the interpolation gives exactly the last entry.
#pragma once

#include <cfloat>
#include <cstdint>

#include "block_kernel.h"

namespace quorv1_01 {

template <typename V, bool accumulate>
void shapeLanes(const GroupSettings& s, const float* in, float* out0, float* out1) {
  using D = typename V::Doubles;
  const D x = V::atLeast(V::atMost(V::load(in), V::all(FLT_MAX)), V::all(-FLT_MAX));

  const D position = V::lessOr(V::abs(V::mul(V::all(s.scale), x)), V::all(511.0));
  const auto i = V::truncate(position);
  const D fraction = V::sub(position, V::widen(i));
  D start, rise;
  V::gatherSegments(s.segments, i, start, rise);
  const D gain = V::add(start, V::mul(fraction, rise));
  const D shaped = V::mul(V::div(x, V::all(s.reference)), gain);

  D y = V::add(V::mul(V::all(s.wet), shaped), V::mul(V::all(s.dry), x));
  y = V::clip(y);

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

// Group after group, each with the parameter values read at its start.
template <typename V, bool accumulate>
void shapeBlock(const ParameterReader& parameters, const float* in, float* out0, float* out1,
                std::int32_t frames) {
  for (std::int32_t left = frames; left > 0;) {
    const std::int32_t n = left < kGroupFrames ? left : kGroupFrames;
    shapeGroup<V, accumulate>(parameters.read(parameters.owner), in, out0, out1, n);
    in += n;
    out0 += n;
    out1 += n;
    left -= n;
  }
}

template <typename V>
constexpr BlockKernels kernelsFor() {
  return {&shapeBlock<V, false>, &shapeBlock<V, true>};
}

// The kernels of each path, each defined in the source built for its instruction set.
extern const BlockKernels kSse2Kernels;
extern const BlockKernels kAvx2Kernels;
extern const BlockKernels kAvx512Kernels;

}  // namespace quorv1_01
