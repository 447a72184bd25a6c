// Plug-in two's block kernel built for SSE2, the path every processor runs.
#include "block_kernel_body.h"
#include "simd_sse2.h"

namespace quorv1_02 {
const BlockKernels kSse2Kernels = kernelsFor<fx_dsp::Sse2>();
}  // namespace quorv1_02
