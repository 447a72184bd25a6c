#include "oracle_input.h"

#include <cfloat>
#include <cstdio>
#include <limits>

#include "test_signal.h"

namespace oracle_input {

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
}  // namespace

std::vector<float> signal(std::size_t frames, std::uint32_t seed) {
  std::vector<float> out = test_signal::make(frames, seed);
  const float specials[] = {kNaN,     -kNaN,     kInf,          -kInf,         FLT_MAX,
                            -FLT_MAX, 0.0f,      -0.0f,         FLT_MIN / 8,   -FLT_MIN / 8,
                            FLT_MIN,  1e30f,     -3e38f,        1.0f,          -1.0f,
                            2.0f,     0.999999f, 1.0000001f};
  Draw draw(seed ^ 0x5eedu);
  // Every special at least once, then one sample in 50 on average.
  for (std::size_t k = 0; k < frames; ++k) {
    const std::uint32_t pick = draw.next();
    if (k < sizeof specials / sizeof specials[0])
      out[k * 37 % frames] = specials[k];
    else if (pick % 50 == 0)
      out[k] = specials[pick / 50 % (sizeof specials / sizeof specials[0])];
  }
  return out;
}

std::uint32_t Draw::next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

std::int32_t Draw::count(std::int32_t most) {
  return static_cast<std::int32_t>(next() % static_cast<std::uint32_t>(most)) + 1;
}

float Draw::parameter() {
  const std::uint32_t pick = next();
  if (pick % 2 == 0) return static_cast<float>(next() % 1000001u) / 1000000.0f;
  const float hostile[] = {0.0f,     -0.0f,    1.0f,        -1e-3f,      -0.5f,       -7.0f,
                           1.001f,   1.5f,     3.0f,        250.0f,      1e6f,        1e30f,
                           -1e30f,   FLT_MAX,  -FLT_MAX,    kInf,        -kInf,       kNaN,
                           -kNaN,    FLT_MIN,  FLT_MIN / 8, -FLT_MIN / 8, 0.68965518f, 0.3448276f};
  return hostile[pick / 2 % (sizeof hostile / sizeof hostile[0])];
}

std::string exact(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
  return text;
}

std::string firstDifference(Channels input, Channels got, Channels expected,
                            std::size_t frames) {
  for (std::size_t k = 0; k < frames; ++k)
    if (!sameBits(got.left[k], expected.left[k]) || !sameBits(got.right[k], expected.right[k]))
      return "frame " + std::to_string(k) + ": input " + exact(input.left[k]) + ", " +
             exact(input.right[k]) + " gives " + exact(got.left[k]) + ", " +
             exact(got.right[k]) + ", the reference " + exact(expected.left[k]) + ", " +
             exact(expected.right[k]);
  return {};
}

}  // namespace oracle_input
