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
  // NaN lanes are zeroed by the same instruction that limits the others to 1.
  static Doubles clip(Doubles v) {
    const Doubles below =
        _mm512_maskz_min_pd(_mm512_cmp_pd_mask(v, v, _CMP_ORD_Q), v, all(1.0));
    return atLeast(below, all(-1.0));
  }
  static Mask notLessEqual(Doubles v, Doubles limit) {
    return _mm512_cmp_pd_mask(v, limit, _CMP_NLE_UQ);
  }
  static Doubles select(Mask m, Doubles a, Doubles b) { return _mm512_mask_blend_pd(m, b, a); }

  static Indices truncate(Doubles v) { return _mm512_cvttpd_epi32(v); }
  static Doubles widen(Indices i) { return _mm512_cvtepi32_pd(i); }
  // As in simd_avx2.h: one 16-byte load per lane, even and odd lanes in two registers,
  // and unpacking within the 128-bit quarters parts gains from rises in lane order.
  template <typename Segment>
  static void gatherSegments(const Segment* segments, Indices i, Doubles& gain, Doubles& rise) {
    static_assert(sizeof(Segment) == 16 && alignof(Segment) == 16, "a segment is two doubles");
    alignas(32) int k[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(k), i);
    const auto lanes = [segments](int a, int b) {
      return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(&segments[a].gain)),
                                  _mm_load_pd(&segments[b].gain), 1);
    };
    const auto quarters = [&lanes](int a, int b, int c, int d) {
      return _mm512_insertf64x4(_mm512_castpd256_pd512(lanes(a, b)), lanes(c, d), 1);
    };
    const __m512d even = quarters(k[0], k[2], k[4], k[6]);
    const __m512d odd = quarters(k[1], k[3], k[5], k[7]);
    gain = _mm512_unpacklo_pd(even, odd);
    rise = _mm512_unpackhi_pd(even, odd);
  }
};

}  // namespace
}  // namespace fx_dsp
