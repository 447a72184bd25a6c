#include "block_kernel.h"

#include "block_kernel_body.h"
#include "shaper.h"

namespace quorv1_01 {

GroupSettings groupSettings(float depth, float mix, std::int32_t curve) {
  return {FuzzSegments + curveRow(curve) * kSegmentsPerRow, 511.0 * depth,
          fuzzRow(curve)[referenceIndex(depth)], 1.0 - mix, static_cast<double>(mix)};
}

const BlockKernels* blockKernelsFor(fx_dsp::SimdPath path) {
  if (!fx_dsp::simdPathRuns(path)) return nullptr;
  switch (path) {
#if FX_SIMD_WIDE_PATHS
    case fx_dsp::SimdPath::Avx2: return &kAvx2Kernels;
    case fx_dsp::SimdPath::Avx512: return &kAvx512Kernels;
#endif
    default: return &kSse2Kernels;
  }
}

const BlockKernels& widestBlockKernels() { return *blockKernelsFor(fx_dsp::widestSimdPath()); }

}  // namespace quorv1_01
