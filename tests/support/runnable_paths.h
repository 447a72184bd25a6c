// The instruction-set paths this build has and this machine runs: the tests are
// instantiated for these only, rather than skipping the others (a skipped test brings the
// 32-bit Windows test programs down under wine).
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "simd_path.h"

inline std::vector<fx_dsp::SimdPath> runnablePaths() {
  std::vector<fx_dsp::SimdPath> paths;
  for (fx_dsp::SimdPath path : fx_dsp::kSimdPaths)
    if (fx_dsp::simdPathRuns(path)) paths.push_back(path);
  return paths;
}

inline std::string pathName(const testing::TestParamInfo<fx_dsp::SimdPath>& path) {
  return fx_dsp::simdPathName(path.param);
}
