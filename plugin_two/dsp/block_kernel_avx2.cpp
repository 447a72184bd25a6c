// Plug-in two's block kernel built for AVX2.
#include "block_kernel_body.h"
#include "simd_avx2.h"

namespace quorv1_02 {
const BlockKernels kAvx2Kernels = kernelsFor<fx_dsp::Avx2>();
}  // namespace quorv1_02
