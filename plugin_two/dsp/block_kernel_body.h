// Plug-in two's block kernel, written once over the lane operations of dsp/simd_*.h and
// compiled once per instruction set (block_kernel_<set>.cpp).
//
// Each lane gets the bits the per-sample computation gives, from the same IEEE double
// operations in the same order: x / reference stays a division, the blend is
// (1 - mix) * shaped + mix * x, the amplified sample is rounded to a float as a cast does.
// The answers to hostile input come out the same too, some by a shorter route:
// - infinite samples are limited to the largest finite floats, and a NaN sample is left
//   NaN: it makes the result NaN, which becomes 0, the silence the per-sample code gives;
// - an amplified sample beyond the float range takes the range's end;
// - the position, NaN included, is limited to 510.99 in its float form.
#pragma once

#include <cfloat>
#include <cstdint>

#include "block_kernel.h"

namespace quorv1_02 {

// One channel's samples of a vector's worth of frames, ready to store.
template <typename V>
typename V::Doubles shapeLanes(const GroupSettings& s, typename V::Doubles input) {
  using D = typename V::Doubles;
  const D x = V::atLeast(V::atMost(input, V::all(FLT_MAX)), V::all(-FLT_MAX));
  const D amplified = V::atLeast(V::atMost(V::mul(V::all(s.preGain), x), V::all(FLT_MAX)),
                                 V::all(-FLT_MAX));
  const D a = V::roundToFloat(amplified);

  D position = V::abs(V::mul(V::all(s.scale), a));
  position = V::select(V::notLessEqual(position, V::all(510.99)),
                       V::all(static_cast<double>(510.99f)), position);
  const auto i = V::truncate(position);
  const D fraction = V::sub(position, V::widen(i));
  D start, rise;
  V::gatherSegments(s.segments, i, start, rise);
  const D gain = V::add(start, V::mul(fraction, rise));
  const D shaped = V::mul(V::mul(V::div(a, V::all(s.reference)), gain), V::all(0.5));

  const D y = V::add(V::mul(V::all(s.wet), shaped), V::mul(V::all(s.dry), x));
  return V::clip(y);
}

template <typename V, bool accumulate>
void shapeFrames(const GroupSettings& s, const float* in0, const float* in1, float* out0,
                 float* out1) {
  // Both inputs are read before either output is written.
  const auto x0 = V::load(in0);
  const auto x1 = V::load(in1);
  const auto y0 = shapeLanes<V>(s, x0);
  const auto y1 = shapeLanes<V>(s, x1);
  if (accumulate) {
    V::store(out0, V::add(V::load(out0), y0));
    V::store(out1, V::add(V::load(out1), y1));
  } else {
    V::store(out0, y0);
    V::store(out1, y1);
  }
}

// Whole vectors straight from the buffers; a last partial vector through zero-padded
// copies, so that nothing outside the caller's `frames` frames is read or written.
template <typename V, bool accumulate>
void shapeGroup(const GroupSettings& s, const float* in0, const float* in1, float* out0,
                float* out1, std::int32_t frames) {
  constexpr std::int32_t w = V::kWidth;
  std::int32_t k = 0;
  for (; k + w <= frames; k += w)
    shapeFrames<V, accumulate>(s, in0 + k, in1 + k, out0 + k, out1 + k);
  if (k == frames) return;
  float x0[w] = {}, x1[w] = {}, y0[w] = {}, y1[w] = {};
  const std::int32_t n = frames - k;
  for (std::int32_t j = 0; j < n; ++j) {
    x0[j] = in0[k + j];
    x1[j] = in1[k + j];
    y0[j] = out0[k + j];
    y1[j] = out1[k + j];
  }
  shapeFrames<V, accumulate>(s, x0, x1, y0, y1);
  for (std::int32_t j = 0; j < n; ++j) {
    out0[k + j] = y0[j];
    out1[k + j] = y1[j];
  }
}

// Group after group, each with the parameter values read at its start.
template <typename V, bool accumulate>
void shapeBlock(const ParameterReader& parameters, const float* in0, const float* in1,
                float* out0, float* out1, std::int32_t frames) {
  for (std::int32_t left = frames; left > 0;) {
    const std::int32_t n = left < kGroupFrames ? left : kGroupFrames;
    shapeGroup<V, accumulate>(parameters.read(parameters.owner), in0, in1, out0, out1, n);
    in0 += n;
    in1 += n;
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

}  // namespace quorv1_02
