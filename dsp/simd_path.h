// The instruction sets the effects' block kernels are built for, and which of them this
// processor runs. Each effect picks the widest one once, when it is constructed.
#pragma once

namespace fx_dsp {

// Baseline is SSE2 (every x86-64 processor, and the 32-bit build's minimum); the wider
// paths are built only for x86-64.
enum class SimdPath { Baseline, Avx2, Avx512 };

constexpr SimdPath kSimdPaths[] = {SimdPath::Baseline, SimdPath::Avx2, SimdPath::Avx512};

// "baseline", "avx2" or "avx512".
const char* simdPathName(SimdPath path);

// Whether this build has kernels for the path and this processor (and its operating
// system) can execute them. Any thread; no allocation.
bool simdPathRuns(SimdPath path);

// The widest path that runs here. Any thread; no allocation. The first call in the process
// asks the processor and may take the run-time's one-time initialisation guard, so effects
// make it from their constructor, never from the audio thread.
SimdPath widestSimdPath();

}  // namespace fx_dsp
