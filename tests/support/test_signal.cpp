#include "test_signal.h"

#include <cfloat>

namespace test_signal {

namespace {
// Sine from a phase in [-0.5, 0.5) turns, by a parabola with one correction step:
// smooth enough to be a tone, and exactly reproducible.
double sineApprox(double phase) {
  const double x = phase * 2.0;  // -1..1
  const double y = 4.0 * x * (1.0 - (x < 0 ? -x : x));
  return 0.225 * (y * (y < 0 ? -y : y) - y) + y;
}

struct Noise {
  std::uint32_t state;
  double next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;  // -1..1
  }
};
}  // namespace

std::vector<float> make(std::size_t frames, std::uint32_t seed) {
  std::vector<float> out(frames);
  Noise noise{seed ? seed : 1u};
  double phase = 0.0;
  double frequency = 20.0 / 44100.0;
  double pluck = 0.0;
  for (std::size_t k = 0; k < frames; ++k) {
    const std::size_t section = (k / 11025) % 6;  // quarter-second sections
    frequency *= 1.00005;
    if (frequency > 0.45) frequency = 20.0 / 44100.0;
    phase += frequency;
    if (phase >= 0.5) phase -= 1.0;
    const double tone = sineApprox(phase);
    double v = 0.0;
    switch (section) {
      case 0: v = 0.5 * tone; break;
      case 1: v = 1.6 * tone; break;                       // beyond full scale
      case 2: v = 0.9 * noise.next(); break;
      case 3:
        if (k % 2205 == 0) pluck = 1.2;
        pluck *= 0.9995;
        v = pluck * tone + 0.01 * noise.next();
        break;
      case 4: v = (k % 4000 < 2000) ? 0.0 : 0.05 * tone; break;  // silence and a quiet tone
      default: v = 12.0 * tone * noise.next(); break;      // loud bursts
    }
    out[k] = static_cast<float>(v);
  }
  // A handful of exact special values spread through the signal.
  const float specials[] = {0.0f, -0.0f, 1.0f, -1.0f, FLT_MIN / 4, -FLT_MIN / 4, 1e30f, -1e30f};
  for (std::size_t i = 0; i < sizeof specials / sizeof specials[0]; ++i) {
    const std::size_t at = (i + 1) * frames / 10;
    if (at < frames) out[at] = specials[i];
  }
  return out;
}

}  // namespace test_signal
