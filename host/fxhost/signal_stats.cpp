#include "signal_stats.h"

#include <cmath>
#include <limits>

void SignalStats::add(const float* samples, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const double magnitude = std::fabs(static_cast<double>(samples[i]));
    sumOfSquares += magnitude * magnitude;
    if (magnitude > peakLevel) peakLevel = magnitude;
    if (magnitude >= 1.0) ++atFullScale;
  }
  count += n;
}

double SignalStats::rms() const {
  return count == 0 ? 0.0 : std::sqrt(sumOfSquares / static_cast<double>(count));
}

double SignalStats::crestFactor() const {
  const double r = rms();
  return r > 0.0 ? peakLevel / r : 0.0;
}

double SignalStats::fullScalePercent() const {
  return count == 0 ? 0.0 : 100.0 * static_cast<double>(atFullScale) / static_cast<double>(count);
}

double toDecibels(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}
