// Eight doubles at a time with AVX-512 (the foundation set): the lane operations of
// simd_sse2.h on 512-bit registers, with mask registers for comparisons.
//
// Include only from a source compiled with -mavx512f: see simd_sse2.h for why the
// functions are local to it.
#pragma once

#include <immintrin.h>

namespace fx_dsp {
namespace {

struct Avx512 {
  static constexpr int kWidth = 8;
  using Doubles = __m512d;
  using Mask = __mmask8;
  using Indices = __m256i;

  static Doubles load(const float* p) { return _mm512_cvtps_pd(_mm256_loadu_ps(p)); }
  static void store(float* p, Doubles v) { _mm256_storeu_ps(p, _mm512_cvtpd_ps(v)); }
  static Doubles roundToFloat(Doubles v) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(v)); }
  static Doubles all(double v) { return _mm512_set1_pd(v); }

  static Doubles add(Doubles a, Doubles b) { return _mm512_add_pd(a, b); }
  static Doubles sub(Doubles a, Doubles b) { return _mm512_sub_pd(a, b); }
  static Doubles mul(Doubles a, Doubles b) { return _mm512_mul_pd(a, b); }
  static Doubles div(Doubles a, Doubles b) { return _mm512_div_pd(a, b); }
  static Doubles abs(Doubles a) { return _mm512_abs_pd(a); }

  static Doubles atMost(Doubles v, Doubles limit) { return _mm512_min_pd(limit, v); }
  static Doubles atLeast(Doubles v, Doubles limit) { return _mm512_max_pd(limit, v); }
  static Doubles lessOr(Doubles v, Doubles limit) { return _mm512_min_pd(v, limit); }
  static Doubles zeroNaN(Doubles v) {
    return _mm512_maskz_mov_pd(_mm512_cmp_pd_mask(v, v, _CMP_ORD_Q), v);
  }
  static Mask notLessEqual(Doubles v, Doubles limit) {
    return _mm512_cmp_pd_mask(v, limit, _CMP_NLE_UQ);
  }
  static Doubles select(Mask m, Doubles a, Doubles b) { return _mm512_mask_blend_pd(m, b, a); }

  static Indices truncate(Doubles v) { return _mm512_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm512_cvtepi32_pd(i); }
  // One 64-bit gather fetches both floats of each pair; a permutation parts the belows
  // (low half) from the aboves (high half).
  template <typename Pair>
  static void gatherPairs(const Pair* pairs, Indices i, Doubles& below, Doubles& above) {
    static_assert(sizeof(Pair) == 8, "a pair is two floats");
    alignas(32) int k[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(k), i);
    const long long* q = reinterpret_cast<const long long*>(pairs);
    const __m512i both = _mm512_set_epi64(q[k[7]], q[k[6]], q[k[5]], q[k[4]], q[k[3]], q[k[2]], q[k[1]], q[k[0]]);
    const __m512i parted = _mm512_permutexvar_epi32(
        _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15), both);
    below = _mm512_cvtps_pd(_mm256_castsi256_ps(_mm512_castsi512_si256(parted)));
    above = _mm512_cvtps_pd(_mm256_castsi256_ps(_mm512_extracti64x4_epi64(parted, 1)));
  }
};

}  // namespace
}  // namespace fx_dsp
