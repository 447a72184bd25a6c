// Four doubles at a time with AVX2: the lane operations of simd_sse2.h on 256-bit
// registers.
//
// Include only from a source compiled with -mavx2 (and nothing that enables FMA): see
// simd_sse2.h for why the functions are local to it.
#pragma once

#include <immintrin.h>

namespace fx_dsp {
namespace {

struct Avx2 {
  static constexpr int kWidth = 4;
  using Doubles = __m256d;
  using Mask = __m256d;
  using Indices = __m128i;

  static Doubles load(const float* p) { return _mm256_cvtps_pd(_mm_loadu_ps(p)); }
  static void store(float* p, Doubles v) { _mm_storeu_ps(p, _mm256_cvtpd_ps(v)); }
  static Doubles roundToFloat(Doubles v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }
  static Doubles all(double v) { return _mm256_set1_pd(v); }

  static Doubles add(Doubles a, Doubles b) { return _mm256_add_pd(a, b); }
  static Doubles sub(Doubles a, Doubles b) { return _mm256_sub_pd(a, b); }
  static Doubles mul(Doubles a, Doubles b) { return _mm256_mul_pd(a, b); }
  static Doubles div(Doubles a, Doubles b) { return _mm256_div_pd(a, b); }
  static Doubles abs(Doubles a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }

  static Doubles atMost(Doubles v, Doubles limit) { return _mm256_min_pd(limit, v); }
  static Doubles atLeast(Doubles v, Doubles limit) { return _mm256_max_pd(limit, v); }
  static Doubles lessOr(Doubles v, Doubles limit) { return _mm256_min_pd(v, limit); }
  static Doubles clip(Doubles v) {
    const Doubles number = _mm256_and_pd(_mm256_cmp_pd(v, v, _CMP_ORD_Q), v);
    return atLeast(atMost(number, all(1.0)), all(-1.0));
  }
  static Mask notLessEqual(Doubles v, Doubles limit) {
    return _mm256_cmp_pd(v, limit, _CMP_NLE_UQ);
  }
  static Doubles select(Mask m, Doubles a, Doubles b) { return _mm256_blendv_pd(b, a, m); }

  static Indices truncate(Doubles v) { return _mm256_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm256_cvtepi32_pd(i); }
  // Plain loads beat the hardware gather here: each lane's segment is one 16-byte load,
  // lanes 0 and 2, 1 and 3 share a register, and unpacking within the 128-bit halves
  // parts the gains from the rises in lane order.
  template <typename Segment>
  static void gatherSegments(const Segment* segments, Indices i, Doubles& gain, Doubles& rise) {
    static_assert(sizeof(Segment) == 16 && alignof(Segment) == 16, "a segment is two doubles");
    alignas(16) int k[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(k), i);
    const auto lanes = [segments](int a, int b) {
      return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(&segments[a].gain)),
                                  _mm_load_pd(&segments[b].gain), 1);
    };
    const __m256d even = lanes(k[0], k[2]);
    const __m256d odd = lanes(k[1], k[3]);
    gain = _mm256_unpacklo_pd(even, odd);
    rise = _mm256_unpackhi_pd(even, odd);
  }
};

}  // namespace
}  // namespace fx_dsp
