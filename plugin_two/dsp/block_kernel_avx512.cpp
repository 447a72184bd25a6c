// Plug-in two's block kernel built for AVX-512.
#include "block_kernel_body.h"
#include "simd_avx512.h"

namespace quorv1_02 {
const BlockKernels kAvx512Kernels = kernelsFor<fx_dsp::Avx512>();
}  // namespace quorv1_02
