// Four doubles at a time with AVX2: the lane operations of simd_sse2.h on 256-bit
// registers, with a hardware gather for the table reads.
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
  static Doubles zeroNaN(Doubles v) { return _mm256_and_pd(_mm256_cmp_pd(v, v, _CMP_ORD_Q), v); }
  static Mask notLessEqual(Doubles v, Doubles limit) { return _mm256_cmp_pd(v, limit, _CMP_NLE_UQ); }
  static Doubles select(Mask m, Doubles a, Doubles b) { return _mm256_blendv_pd(b, a, m); }

  static Indices truncate(Doubles v) { return _mm256_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm256_cvtepi32_pd(i); }
  // One 64-bit gather fetches both floats of each pair; a permutation parts the belows
  // (low half) from the aboves (high half).
  template <typename Pair>
  static void gatherPairs(const Pair* pairs, Indices i, Doubles& below, Doubles& above) {
    static_assert(sizeof(Pair) == 8, "a pair is two floats");
    alignas(16) int k[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(k), i);
    const long long* q = reinterpret_cast<const long long*>(pairs);
    const __m256i both = _mm256_set_epi64x(q[k[3]], q[k[2]], q[k[1]], q[k[0]]);
    const __m256 parted = _mm256_castsi256_ps(
        _mm256_permutevar8x32_epi32(both, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7)));
    below = _mm256_cvtps_pd(_mm256_castps256_ps128(parted));
    above = _mm256_cvtps_pd(_mm256_extractf128_ps(parted, 1));
  }
};

}  // namespace
}  // namespace fx_dsp
