// Plug-in one's block kernel built for AVX-512.
#include "block_kernel_body.h"
#include "simd_avx512.h"

namespace quorv1_01 {
const BlockKernels kAvx512Kernels = kernelsFor<fx_dsp::Avx512>();
}  // namespace quorv1_01
