// Processing throughput of one effect instance: how many samples per channel it processes
// per second in blocks of a given size, median and spread of several timed runs after a
// warm-up.
#pragma once

#include <cstdint>

#include "effect_instance.h"

struct Throughput {
  std::int32_t blockSize = 0;
  int runs = 0;
  // Million samples per second per channel.
  double median = 0.0, lowest = 0.0, highest = 0.0;
  // How many times faster than real time at 44.1 kHz, from the median.
  double realtimeFactor() const { return median * 1e6 / 44100.0; }
};

// Times `runs` runs of `seconds / runs` each, after a warm-up of a tenth of `seconds`, on
// full-scale noise; the instance must be started. Called on the caller's thread.
Throughput measureThroughput(const EffectInstance& fx, std::int32_t blockSize, double seconds, int runs = 5);
