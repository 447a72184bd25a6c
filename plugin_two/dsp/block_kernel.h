// Plug-in two's audio path, a group of frames at a time: the parameters are turned into
// GroupSettings once per group, and a block kernel runs the pre-amp, the waveshaper and
// the dry/wet blend over both channels of the group with vector instructions.
//
// Audio thread: no allocation, no lock. Every output bit equals what the per-sample
// computation gives for each sample with the group's parameter values, on every path.
#pragma once

#include <cstdint>

#include "fuzz_table.h"
#include "simd_path.h"

namespace quorv1_02 {

// The longest group that shares one reading of the parameters: a change made during a
// block is heard within this many frames.
constexpr std::int32_t kGroupFrames = 16;

// The parameter values of one group, in the form the kernels use them.
struct GroupSettings {
  const GainSegment* segments;  // the curve row's interpolation segments
  double preGain;               // 1 + preAmp, applied in front of the shaper
  double scale;                 // 511 * depth: position = |scale * amplified sample|
  double reference;             // the gain at the reference position, which divides the sample
  double wet;                   // 1 - mix
  double dry;                   // mix
};

// Audio thread; no allocation. Any parameter values, however far out of range.
GroupSettings groupSettings(float preAmp, float depth, float mix, std::int32_t curve);

// Where a kernel gets the parameter values: read(owner), called on the audio thread at
// the start of each group of at most kGroupFrames frames.
struct ParameterReader {
  GroupSettings (*read)(const void* owner);
  const void* owner;
};

// A block of frames, each channel from its input to its output: `replacing` stores the
// result, `accumulating` adds it to what the outputs hold. The inputs may be the same
// buffers as the outputs, in either pairing. Frames of 0 or less touch nothing.
using BlockKernel = void (*)(const ParameterReader& parameters, const float* in0,
                             const float* in1, float* out0, float* out1, std::int32_t frames);

struct BlockKernels {
  BlockKernel replacing;
  BlockKernel accumulating;
};

// The kernels of one path, or null where the path does not run on this machine. For the
// tests and benchmarks, which compare every path; an effect uses widestBlockKernels().
const BlockKernels* blockKernelsFor(fx_dsp::SimdPath path);

// The kernels of the widest path this machine runs. Construction thread (see
// fx_dsp::widestSimdPath); no allocation.
const BlockKernels& widestBlockKernels();

}  // namespace quorv1_02
