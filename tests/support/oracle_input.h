// Input for comparing the effects' fast processing with the plain reference: a long
// varied signal seeded with every awkward sample value, and parameter values drawn from
// the host range and far beyond it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace oracle_input {

// The test signal with NaNs, infinities, the largest floats, denormals and signed zeros
// sprinkled through it.
std::vector<float> signal(std::size_t frames, std::uint32_t seed);

// A reproducible stream of numbers for the tests' random choices.
class Draw {
 public:
  explicit Draw(std::uint32_t seed) : state(seed ? seed : 1u) {}
  std::uint32_t next();
  // 1..most
  std::int32_t count(std::int32_t most);
  // A parameter value: about half the time inside 0..1, otherwise one of the values a
  // careless or hostile host might send (negative, huge, infinite, NaN, denormal).
  float parameter();

 private:
  std::uint32_t state;
};

// Every bit the same (NaNs included, and 0 apart from -0).
inline bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A float written with enough digits to tell it from its neighbours.
std::string exact(float v);

// A pair of channels of one block.
struct Channels {
  const float* left;
  const float* right;
};

// The first frame where the outputs differ in any bit, with its inputs; empty if none.
std::string firstDifference(Channels input, Channels got, Channels expected,
                            std::size_t frames);

}  // namespace oracle_input
