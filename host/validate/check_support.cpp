#include "check_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

#include "guarded_memory.h"

bool loadPlugin(const CheckContext& context, PluginUnderTest& plugin, CheckOutcome& outcome) {
  if (plugin.load(context.pluginPath)) return true;
  outcome.fail(plugin.error());
  return false;
}

std::unique_ptr<TestedInstance> openInstance(const PluginUnderTest& plugin, CheckOutcome& outcome) {
  EffectInstance opened = plugin.open();
  const std::string problem = recordProblem(opened.get());
  if (!problem.empty()) {
    // Not a record to call into.
    opened.abandon();
    outcome.fail(problem);
    return nullptr;
  }
  return std::make_unique<TestedInstance>(std::move(opened));
}

std::unique_ptr<TestedInstance> startInstance(const PluginUnderTest& plugin, CheckOutcome& outcome, float rate,
                                              std::int32_t blockSize) {
  auto fx = openInstance(plugin, outcome);
  if (fx) fx->start(rate, blockSize);
  return fx;
}

const char* signalName(SignalKind kind) {
  switch (kind) {
    case SignalKind::Silence: return "silence";
    case SignalKind::Noise: return "full-scale noise";
    case SignalKind::Denormals: return "denormals";
    case SignalKind::Huge: return "huge values";
    case SignalKind::Infinities: return "infinities";
    case SignalKind::NaN: return "NaN";
  }
  return "?";
}

const std::vector<SignalKind>& allSignals() {
  static const std::vector<SignalKind> kinds = {SignalKind::Silence, SignalKind::Noise, SignalKind::Denormals,
                                                SignalKind::Huge, SignalKind::Infinities, SignalKind::NaN};
  return kinds;
}

std::int32_t inputChannels(const TestedInstance& fx) { return std::max(fx.inputs(), 1); }

Signal makeSignal(SignalKind kind, std::int32_t channels, std::int32_t frames, SeededRandom& random) {
  Signal s(static_cast<std::size_t>(channels), std::vector<float>(static_cast<std::size_t>(frames), 0.0f));
  const float denormal = std::numeric_limits<float>::denorm_min();
  for (auto& channel : s) {
    for (std::size_t i = 0; i < channel.size(); ++i) {
      const float r = random.bipolar();
      switch (kind) {
        case SignalKind::Silence: channel[i] = 0.0f; break;
        case SignalKind::Noise: channel[i] = r; break;
        // Subnormal values of either sign, from the smallest up to about 1e-39.
        case SignalKind::Denormals: channel[i] = denormal * static_cast<float>(random.between(-800000, 800000)); break;
        case SignalKind::Huge: channel[i] = r * 1e30f; break;
        case SignalKind::Infinities:
          channel[i] = (i % 3 == 2) ? r : (i % 2 ? -1.0f : 1.0f) * std::numeric_limits<float>::infinity();
          break;
        case SignalKind::NaN: channel[i] = (i % 4 == 3) ? r : std::numeric_limits<float>::quiet_NaN(); break;
      }
    }
  }
  return s;
}

Signal runBlocks(TestedInstance& fx, const Signal& input, const std::vector<std::int32_t>& blockSizes, bool inPlace) {
  const std::size_t frames = input.empty() ? 0 : input[0].size();
  const std::int32_t nin = fx.inputs(), nout = fx.outputs();
  Signal output(static_cast<std::size_t>(nout), std::vector<float>(frames, 0.0f));
  std::map<std::int32_t, std::unique_ptr<ChannelBlock>> blocks;
  std::size_t at = 0;
  for (std::size_t call = 0; at < frames; ++call) {
    const std::int32_t size = std::max(blockSizes[call % blockSizes.size()], 1);
    const std::int32_t n = static_cast<std::int32_t>(std::min<std::size_t>(static_cast<std::size_t>(size), frames - at));
    auto& block = blocks[n];
    if (!block) block = std::make_unique<ChannelBlock>(nin, nout, n);
    std::vector<float*> in(block->in(), block->in() + nin + 1);
    for (std::int32_t c = 0; c < nin; ++c) {
      const std::vector<float>& source = input[static_cast<std::size_t>(c) % input.size()];
      float* target = (inPlace && c < nout) ? block->out()[c] : in[static_cast<std::size_t>(c)];
      std::memcpy(target, source.data() + at, sizeof(float) * static_cast<std::size_t>(n));
      in[static_cast<std::size_t>(c)] = target;
    }
    fx.process(in.data(), block->out(), n);
    for (std::int32_t c = 0; c < nout; ++c)
      std::memcpy(output[static_cast<std::size_t>(c)].data() + at, block->out()[c], sizeof(float) * static_cast<std::size_t>(n));
    at += static_cast<std::size_t>(n);
  }
  return output;
}

std::int64_t firstNonFinite(const Signal& output, std::size_t* channel) {
  for (std::size_t c = 0; c < output.size(); ++c)
    for (std::size_t i = 0; i < output[c].size(); ++i)
      if (!std::isfinite(output[c][i])) {
        if (channel) *channel = c;
        return static_cast<std::int64_t>(i);
      }
  return -1;
}

std::string describeNonFinite(const Signal& output) {
  std::size_t channel = 0;
  const std::int64_t at = firstNonFinite(output, &channel);
  if (at < 0) return "";
  const float v = output[channel][static_cast<std::size_t>(at)];
  return std::string(std::isnan(v) ? "NaN" : "infinity") + " out at sample " + std::to_string(at) + " of channel " +
         std::to_string(channel);
}

std::int64_t firstDifference(const Signal& a, const Signal& b) {
  if (a.size() != b.size()) return 0;
  for (std::size_t c = 0; c < a.size(); ++c) {
    if (a[c].size() != b[c].size()) return 0;
    for (std::size_t i = 0; i < a[c].size(); ++i)
      if (std::memcmp(&a[c][i], &b[c][i], sizeof(float)) != 0) return static_cast<std::int64_t>(i);
  }
  return -1;
}
