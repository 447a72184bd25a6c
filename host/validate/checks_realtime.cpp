#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "allocation_probe.h"
#include "checks.h"

namespace {

// Fills every input channel of `block` from `source`, once, before timing or counting.
void fill(ChannelBlock& block, std::int32_t inputs, const Signal& source) {
  for (std::int32_t c = 0; c < inputs; ++c)
    std::memcpy(block.in()[c], source[static_cast<std::size_t>(c)].data(), sizeof(float) * static_cast<std::size_t>(block.frames()));
}

// Seconds for `calls` blocks, the fastest of five runs.
double fastestRun(TestedInstance& fx, ChannelBlock& block, int calls) {
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) fx.process(block.in(), block.out(), block.frames());
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace

CheckOutcome checkAllocations(const CheckContext& context) {
  CheckOutcome outcome;
  if (!allocation_probe::available()) {
    outcome.note("allocations not counted in this build (sanitizer allocator)");
    return outcome;
  }
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = startInstance(plugin, outcome, 44100.0f, 512);
  if (!fx) return outcome;
  SeededRandom random(context.seed);
  const std::int32_t inputs = fx->inputs();
  ChannelBlock block(inputs, fx->outputs(), 512);
  fill(block, inputs, makeSignal(SignalKind::Noise, std::max(inputs, 1), 512, random));
  constexpr int kCalls = 64;
  allocation_probe::arm();
  for (int i = 0; i < kCalls; ++i) fx->process(block.in(), block.out(), 512);
  const std::size_t count = allocation_probe::disarm();
  if (count > 0)
    outcome.warn(std::to_string(count) + " heap allocations in " + std::to_string(kCalls) + " process calls");
  return outcome;
}

CheckOutcome checkDenormalCost(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = startInstance(plugin, outcome, 44100.0f, 512);
  if (!fx) return outcome;
  SeededRandom random(context.seed);
  const std::int32_t inputs = fx->inputs();
  ChannelBlock normal(inputs, fx->outputs(), 512), denormal(inputs, fx->outputs(), 512);
  Signal noise = makeSignal(SignalKind::Noise, std::max(inputs, 1), 512, random);
  for (auto& channel : noise)
    for (float& s : channel) s *= 0.5f;
  fill(normal, inputs, noise);
  fill(denormal, inputs, makeSignal(SignalKind::Denormals, std::max(inputs, 1), 512, random));
  constexpr int kCalls = 200;
  fastestRun(*fx, normal, 20);  // warm-up
  const double normalTime = fastestRun(*fx, normal, kCalls);
  const double denormalTime = fastestRun(*fx, denormal, kCalls);
  const double ratio = denormalTime / std::max(normalTime, 1e-9);
  char text[128];
  std::snprintf(text, sizeof text, "denormal input takes %.1f times as long as normal input", ratio);
  // A small factor is noise of the measurement; a large one means denormal arithmetic.
  if (ratio > 4.0) outcome.warn(text);
  else outcome.note(text);
  return outcome;
}
