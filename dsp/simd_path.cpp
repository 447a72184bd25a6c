#include "simd_path.h"

namespace fx_dsp {

namespace {

struct ProcessorFeatures {
  bool avx2 = false;
  bool avx512 = false;
};

// Asked once: the compiler's feature query also checks that the operating system saves
// the wide registers, and its initialisation is not meant to race with itself.
const ProcessorFeatures& processorFeatures() {
  static const ProcessorFeatures features = [] {
    ProcessorFeatures f;
#if FX_SIMD_WIDE_PATHS
    __builtin_cpu_init();
    f.avx2 = __builtin_cpu_supports("avx2");
    f.avx512 = __builtin_cpu_supports("avx512f");
#endif
    return f;
  }();
  return features;
}

}  // namespace

const char* simdPathName(SimdPath path) {
  switch (path) {
    case SimdPath::Avx2: return "avx2";
    case SimdPath::Avx512: return "avx512";
    case SimdPath::Baseline: break;
  }
  return "baseline";
}

bool simdPathRuns(SimdPath path) {
  switch (path) {
    case SimdPath::Avx2: return processorFeatures().avx2;
    case SimdPath::Avx512: return processorFeatures().avx512;
    case SimdPath::Baseline: break;
  }
  return true;
}

SimdPath widestSimdPath() {
  if (simdPathRuns(SimdPath::Avx512)) return SimdPath::Avx512;
  if (simdPathRuns(SimdPath::Avx2)) return SimdPath::Avx2;
  return SimdPath::Baseline;
}

}  // namespace fx_dsp
