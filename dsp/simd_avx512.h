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
  static Doubles all(double v) { return _mm512_set1_pd(v); }
  static Doubles roundToFloat(Doubles v) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(v)); }

  static Doubles add(Doubles a, Doubles b) { return _mm512_add_pd(a, b); }
  static Doubles sub(Doubles a, Doubles b) { return _mm512_sub_pd(a, b); }
  static Doubles mul(Doubles a, Doubles b) { return _mm512_mul_pd(a, b); }
  static Doubles div(Doubles a, Doubles b) { return _mm512_div_pd(a, b); }
  static Doubles abs(Doubles a) { return _mm512_abs_pd(a); }

  static Mask less(Doubles a, Doubles b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
  static Mask greater(Doubles a, Doubles b) { return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ); }
  static Mask notLessEqual(Doubles a, Doubles b) { return _mm512_cmp_pd_mask(a, b, _CMP_NLE_UQ); }
  static Mask isNaN(Doubles a) { return _mm512_cmp_pd_mask(a, a, _CMP_UNORD_Q); }
  static Mask either(Mask a, Mask b) { return static_cast<Mask>(a | b); }
  static Doubles select(Mask m, Doubles a, Doubles b) { return _mm512_mask_blend_pd(m, b, a); }

  static Indices truncate(Doubles v) { return _mm512_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm512_cvtepi32_pd(i); }
  static Doubles gather(const float* row, Indices i) {
    return _mm512_cvtps_pd(_mm256_i32gather_ps(row, i, 4));
  }
};

}  // namespace
}  // namespace fx_dsp
