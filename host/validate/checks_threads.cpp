#include <atomic>
#include <thread>

#include "checks.h"

CheckOutcome checkTwoThreads(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  auto reference = startInstance(plugin, outcome);
  auto a = startInstance(plugin, outcome);
  auto b = startInstance(plugin, outcome);
  if (!reference || !a || !b) return outcome;
  const Signal in = makeSignal(SignalKind::Noise, inputChannels(*reference), 16384, random);
  const Signal expected = runBlocks(*reference, in, {256});

  // Both threads start together and each processes the whole signal in small blocks.
  std::atomic<int> ready{0};
  Signal outA, outB;
  auto work = [&](TestedInstance& fx, Signal& out) {
    ++ready;
    while (ready.load() < 2) std::this_thread::yield();
    out = runBlocks(fx, in, {256});
  };
  std::thread first(work, std::ref(*a), std::ref(outA));
  std::thread second(work, std::ref(*b), std::ref(outB));
  first.join();
  second.join();
  for (const Signal* out : {&outA, &outB}) {
    const std::int64_t at = firstDifference(expected, *out);
    if (at >= 0) {
      outcome.fail("an instance processing beside another differs from one processing alone, from sample " + std::to_string(at));
      break;
    }
  }
  return outcome;
}

CheckOutcome checkParameterThread(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  auto fx = startInstance(plugin, outcome, 44100.0f, 64);
  if (!fx) return outcome;
  const Signal in = makeSignal(SignalKind::Noise, inputChannels(*fx), 32768, random);
  std::vector<float> values(4096);
  for (auto& v : values) v = random.unit();

  // A user turning knobs on the interface thread while the audio thread plays.
  std::atomic<bool> done{false};
  AEffect* e = fx->get();
  std::thread knobs([&] {
    std::size_t i = 0;
    while (!done.load()) {
      if (e->numParams > 0) e->setParameter(e, static_cast<std::int32_t>(i % static_cast<std::size_t>(e->numParams)), values[i % values.size()]);
      ++i;
    }
  });
  const Signal out = runBlocks(*fx, in, {64});
  done = true;
  knobs.join();
  if (firstNonFinite(out) >= 0) outcome.fail("while parameters changed: " + describeNonFinite(out));
  if (e->numParams == 0) outcome.note("the effect has no parameters to change");
  return outcome;
}
