#include "checks.h"
#include "child_process.h"

namespace {

constexpr std::int32_t kAnnouncedMaximum = 8192;

std::vector<std::int32_t> randomBlockSizes(SeededRandom& random, std::size_t count, std::int32_t most) {
  std::vector<std::int32_t> sizes(count);
  for (auto& s : sizes) s = static_cast<std::int32_t>(random.between(1, most));
  return sizes;
}

// Records a non-finite output as a failure; returns whether the output was finite.
bool expectFinite(const Signal& out, const std::string& when, CheckOutcome& outcome) {
  if (firstNonFinite(out) < 0) return true;
  outcome.fail(when + ": " + describeNonFinite(out));
  return false;
}

}  // namespace

CheckOutcome checkBlockSizes(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = startInstance(plugin, outcome, 44100.0f, kAnnouncedMaximum);
  if (!fx) return outcome;
  SeededRandom random(context.seed);
  // An empty block: every channel ends at a guard page, so any access faults.
  reportStep("an empty block");
  ChannelBlock empty(fx->inputs(), fx->outputs(), 0);
  fx->process(empty.in(), empty.out(), 0);
  for (std::int32_t size : {1, 7, 64, 4096, kAnnouncedMaximum}) {
    reportStep("blocks of " + std::to_string(size));
    const Signal in = makeSignal(SignalKind::Noise, inputChannels(*fx), size * 3, random);
    if (!expectFinite(runBlocks(*fx, in, {size}), "blocks of " + std::to_string(size), outcome)) break;
  }
  return outcome;
}

CheckOutcome checkSignals(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  for (SignalKind kind : allSignals()) {
    reportStep(std::string(signalName(kind)) + " in");
    auto fx = startInstance(plugin, outcome, 44100.0f, 4096);
    if (!fx) return outcome;
    const Signal in = makeSignal(kind, inputChannels(*fx), 4096, random);
    expectFinite(runBlocks(*fx, in, {64, 4096}), std::string(signalName(kind)) + " in", outcome);
    // Back to ordinary input: the instance must not stay poisoned.
    const Signal after = makeSignal(SignalKind::Noise, inputChannels(*fx), 1024, random);
    expectFinite(runBlocks(*fx, after, {256}), std::string("noise after ") + signalName(kind), outcome);
  }
  return outcome;
}

CheckOutcome checkSampleRates(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  for (float rate : {8000.0f, 11025.0f, 22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 192000.0f, 384000.0f, 768000.0f}) {
    auto fx = startInstance(plugin, outcome, rate, 4096);
    if (!fx) return outcome;
    const Signal in = makeSignal(SignalKind::Noise, inputChannels(*fx), 8192, random);
    const std::string when = "at " + std::to_string(static_cast<long>(rate)) + " Hz";
    reportStep("processing " + when);
    if (!expectFinite(runBlocks(*fx, in, randomBlockSizes(random, 64, 4096)), when, outcome)) break;
  }
  return outcome;
}

CheckOutcome checkInPlace(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto separate = startInstance(plugin, outcome);
  auto inPlace = startInstance(plugin, outcome);
  if (!separate || !inPlace) return outcome;
  if (!separate->replacing() || separate->inputs() == 0 || separate->outputs() == 0) {
    outcome.note("not applicable: the effect " +
                 std::string(separate->replacing() ? "has no inputs or no outputs" : "only adds to its outputs"));
    return outcome;
  }
  SeededRandom random(context.seed);
  const Signal in = makeSignal(SignalKind::Noise, inputChannels(*separate), 4096, random);
  const Signal a = runBlocks(*separate, in, {512});
  const Signal b = runBlocks(*inPlace, in, {512}, true);
  const std::int64_t at = firstDifference(a, b);
  if (at >= 0) outcome.fail("in-place output differs from separate buffers from sample " + std::to_string(at));
  return outcome;
}

CheckOutcome checkRepeatable(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  auto first = startInstance(plugin, outcome);
  if (!first) return outcome;
  const Signal in = makeSignal(SignalKind::Noise, inputChannels(*first), 8192, random);
  const std::vector<std::int32_t> sizes = randomBlockSizes(random, 32, 1024);
  const Signal a = runBlocks(*first, in, sizes);
  first.reset();
  auto second = startInstance(plugin, outcome);
  if (!second) return outcome;
  const Signal b = runBlocks(*second, in, sizes);
  const std::int64_t at = firstDifference(a, b);
  if (at >= 0) outcome.fail("two fresh instances differ from sample " + std::to_string(at));
  return outcome;
}

CheckOutcome checkBlockSplit(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  auto whole = startInstance(plugin, outcome);
  auto split = startInstance(plugin, outcome);
  auto single = startInstance(plugin, outcome);
  if (!whole || !split || !single) return outcome;
  const Signal in = makeSignal(SignalKind::Noise, inputChannels(*whole), 4096, random);
  const Signal a = runBlocks(*whole, in, {4096});
  const std::int64_t randomAt = firstDifference(a, runBlocks(*split, in, randomBlockSizes(random, 32, 1000)));
  const std::int64_t singleAt = firstDifference(a, runBlocks(*single, in, {1}));
  // Effects that work in fixed frames legitimately depend on the block size.
  if (randomAt >= 0) outcome.warn("random block sizes differ from one 4096-sample block from sample " + std::to_string(randomAt));
  if (singleAt >= 0) outcome.warn("one-sample blocks differ from one 4096-sample block from sample " + std::to_string(singleAt));
  return outcome;
}

CheckOutcome checkOversizedBlocks(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  SeededRandom random(context.seed);
  auto fx = startInstance(plugin, outcome, 44100.0f, 64);
  if (!fx) return outcome;
  const Signal in = makeSignal(SignalKind::Noise, inputChannels(*fx), 4096, random);
  if (!expectFinite(runBlocks(*fx, in, {4096}), "a 4096-sample block after announcing 64", outcome)) return outcome;
  // A host changes the block size the proper way (suspended) and then carelessly (running).
  fx->dispatch(effMainsChanged, 0, 0);
  fx->dispatch(effSetBlockSize, 0, 32);
  fx->dispatch(effMainsChanged, 0, 1);
  if (!expectFinite(runBlocks(*fx, in, {32}), "blocks of 32 after a suspended change", outcome)) return outcome;
  fx->dispatch(effSetBlockSize, 0, 1024);
  if (!expectFinite(runBlocks(*fx, in, {1024}), "blocks of 1024 after a change while running", outcome)) return outcome;
  expectFinite(runBlocks(*fx, in, {2048, 3, 1024}), "blocks of 2048 after announcing 1024", outcome);
  return outcome;
}
