#include "throughput.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "effect_runner.h"

namespace {

// Processes blocks for at least `seconds`; returns samples per channel per second.
double timedRun(ProcessBuffers& buffers, std::int32_t blockSize, double seconds) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  std::uint64_t frames = 0;
  double elapsed = 0.0;
  do {
    for (int i = 0; i < 8; ++i) buffers.process(blockSize);
    frames += 8u * static_cast<std::uint64_t>(blockSize);
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < seconds);
  return static_cast<double>(frames) / elapsed;
}

}  // namespace

Throughput measureThroughput(const EffectInstance& fx, std::int32_t blockSize, double seconds, int runs) {
  ProcessBuffers buffers(fx, blockSize);
  std::mt19937 noise(1);
  for (auto& channel : buffers.inputs())
    for (float& s : channel) s = static_cast<float>(noise()) / 4294967295.0f * 2.0f - 1.0f;
  timedRun(buffers, blockSize, seconds / 10.0);
  std::vector<double> rates;
  for (int r = 0; r < runs; ++r) rates.push_back(timedRun(buffers, blockSize, seconds / runs) / 1e6);
  std::sort(rates.begin(), rates.end());
  Throughput t;
  t.blockSize = blockSize;
  t.runs = runs;
  t.lowest = rates.front();
  t.highest = rates.back();
  t.median = runs % 2 ? rates[static_cast<std::size_t>(runs / 2)]
                      : (rates[static_cast<std::size_t>(runs / 2 - 1)] + rates[static_cast<std::size_t>(runs / 2)]) / 2.0;
  return t;
}
