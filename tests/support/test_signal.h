// A fixed, varied test signal made from additions, multiplications and divisions only, so
// that every build (whatever its maths library) produces the same bits.
#pragma once

#include <cstdint>
#include <vector>

namespace test_signal {

// A few seconds' worth of material at 44.1 kHz: sweeps at several levels (some beyond full
// scale), noise, decaying plucks, silence, and single special values.
std::vector<float> make(std::size_t frames, std::uint32_t seed);

}  // namespace test_signal
