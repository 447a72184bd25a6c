// Two doubles at a time with SSE2, which every x86-64 processor (and the 32-bit build)
// has. The lane operations every block kernel is written in; see simd_avx2.h and
// simd_avx512.h for the same operations on wider registers.
//
// Each operation is the IEEE double operation the per-sample code performs, lane by
// lane: no reciprocals, no fused multiply-adds, conversions rounding as a cast does. The
// limits keep the comparison semantics written beside them, NaN included.
//
// Include only from a source compiled for this instruction set. The unnamed namespace
// keeps every function local to that source, so the linker can never merge a copy built
// for a wider instruction set into code that runs on any processor.
#pragma once

#include <emmintrin.h>

namespace fx_dsp {
namespace {

struct Sse2 {
  static constexpr int kWidth = 2;
  using Doubles = __m128d;
  using Mask = __m128d;
  using Indices = __m128i;

  // kWidth floats from p, widened exactly.
  static Doubles load(const float* p) {
    return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
  }
  // Each lane rounded to float, as static_cast<float> does.
  static void store(float* p, Doubles v) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_castps_si128(_mm_cvtpd_ps(v)));
  }
  // Each lane rounded to float and widened back.
  static Doubles roundToFloat(Doubles v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }
  static Doubles all(double v) { return _mm_set1_pd(v); }

  static Doubles add(Doubles a, Doubles b) { return _mm_add_pd(a, b); }
  static Doubles sub(Doubles a, Doubles b) { return _mm_sub_pd(a, b); }
  static Doubles mul(Doubles a, Doubles b) { return _mm_mul_pd(a, b); }
  static Doubles div(Doubles a, Doubles b) { return _mm_div_pd(a, b); }
  // Clears the sign bit, as fabs does (NaN included).
  static Doubles abs(Doubles a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }

  // v > limit ? limit : v; NaN stays NaN. (The instruction gives limit < v ? limit : v.)
  static Doubles atMost(Doubles v, Doubles limit) { return _mm_min_pd(limit, v); }
  // v < limit ? limit : v; NaN stays NaN.
  static Doubles atLeast(Doubles v, Doubles limit) { return _mm_max_pd(limit, v); }
  // v < limit ? v : limit; NaN gives limit.
  static Doubles lessOr(Doubles v, Doubles limit) { return _mm_min_pd(v, limit); }
  // The output clip: above 1 gives 1, below -1 gives -1, NaN gives 0.
  static Doubles clip(Doubles v) {
    const Doubles number = _mm_and_pd(_mm_cmpord_pd(v, v), v);
    return atLeast(atMost(number, all(1.0)), all(-1.0));
  }
  // !(v <= limit): true for NaN.
  static Mask notLessEqual(Doubles v, Doubles limit) { return _mm_cmpnle_pd(v, limit); }
  // m ? a : b, lane by lane.
  static Doubles select(Mask m, Doubles a, Doubles b) {
    return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b));
  }

  // Truncation toward zero; every lane is in 0..2^31 by the time it gets here.
  static Indices truncate(Doubles v) { return _mm_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm_cvtepi32_pd(i); }
  // The gain and rise of segments[i] for each lane. A segment is two doubles, 16-byte
  // aligned: one load fetches both, and unpacking parts the gains from the rises.
  template <typename Segment>
  static void gatherSegments(const Segment* segments, Indices i, Doubles& gain, Doubles& rise) {
    static_assert(sizeof(Segment) == 16 && alignof(Segment) == 16, "a segment is two doubles");
    const __m128d s0 = _mm_load_pd(&segments[_mm_cvtsi128_si32(i)].gain);
    const __m128d s1 = _mm_load_pd(&segments[_mm_cvtsi128_si32(_mm_srli_si128(i, 4))].gain);
    gain = _mm_unpacklo_pd(s0, s1);
    rise = _mm_unpackhi_pd(s0, s1);
  }
};

}  // namespace
}  // namespace fx_dsp
