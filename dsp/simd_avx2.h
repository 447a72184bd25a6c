// Four doubles at a time with AVX2: the lane operations of simd_sse2.h on 256-bit
// registers, with hardware gathers for the table reads.
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
  static Doubles all(double v) { return _mm256_set1_pd(v); }
  static Doubles roundToFloat(Doubles v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }

  static Doubles add(Doubles a, Doubles b) { return _mm256_add_pd(a, b); }
  static Doubles sub(Doubles a, Doubles b) { return _mm256_sub_pd(a, b); }
  static Doubles mul(Doubles a, Doubles b) { return _mm256_mul_pd(a, b); }
  static Doubles div(Doubles a, Doubles b) { return _mm256_div_pd(a, b); }
  static Doubles abs(Doubles a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }

  static Mask less(Doubles a, Doubles b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
  static Mask greater(Doubles a, Doubles b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
  static Mask notLessEqual(Doubles a, Doubles b) { return _mm256_cmp_pd(a, b, _CMP_NLE_UQ); }
  static Mask isNaN(Doubles a) { return _mm256_cmp_pd(a, a, _CMP_UNORD_Q); }
  static Mask either(Mask a, Mask b) { return _mm256_or_pd(a, b); }
  static Doubles select(Mask m, Doubles a, Doubles b) { return _mm256_blendv_pd(b, a, m); }

  static Indices truncate(Doubles v) { return _mm256_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm256_cvtepi32_pd(i); }
  static Doubles gather(const float* row, Indices i) {
    return _mm256_cvtps_pd(_mm_i32gather_ps(row, i, 4));
  }
};

}  // namespace
}  // namespace fx_dsp
