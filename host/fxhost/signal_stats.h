// Level figures of a signal, gathered block by block: peak, RMS, crest factor and how
// many samples sit at full scale.
#pragma once

#include <cstddef>
#include <cstdint>

class SignalStats {
 public:
  // Adds `count` samples (any channel layout: every sample counts once). No allocation.
  void add(const float* samples, std::size_t count);

  std::uint64_t samples() const { return count; }
  double peak() const { return peakLevel; }
  double rms() const;
  // Peak over RMS (0 for silence).
  double crestFactor() const;
  // Samples whose magnitude is 1.0 or more.
  std::uint64_t fullScaleSamples() const { return atFullScale; }
  double fullScalePercent() const;

 private:
  std::uint64_t count = 0;
  std::uint64_t atFullScale = 0;
  double sumOfSquares = 0.0;
  double peakLevel = 0.0;
};

// A level in dBFS, or -inf for 0.
double toDecibels(double level);
