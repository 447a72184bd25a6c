#include "effect_runner.h"

#include <algorithm>
#include <cstring>

void startEffect(const EffectInstance& fx, float sampleRate, std::int32_t blockSize) {
  fx.dispatch(effOpen);
  fx.dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  fx.dispatch(effSetBlockSize, 0, blockSize);
  fx.dispatch(effMainsChanged, 0, 1);
}

ProcessBuffers::ProcessBuffers(const EffectInstance& fx, std::int32_t blockSize)
    : effect(fx),
      in(static_cast<std::size_t>(std::max(fx->numInputs, 0)), std::vector<float>(static_cast<std::size_t>(blockSize))),
      out(static_cast<std::size_t>(std::max(fx->numOutputs, 0)), std::vector<float>(static_cast<std::size_t>(blockSize))) {
  for (auto& c : in) inPtr.push_back(c.data());
  for (auto& c : out) outPtr.push_back(c.data());
  // A valid array even for an effect without inputs or outputs.
  inPtr.push_back(nullptr);
  outPtr.push_back(nullptr);
}

void ProcessBuffers::process(std::int32_t frames) {
  AEffect* e = effect.get();
  if (effect.canReplace() && e->processReplacing) {
    e->processReplacing(e, inPtr.data(), outPtr.data(), frames);
    return;
  }
  for (auto& c : out) std::fill(c.begin(), c.begin() + frames, 0.0f);
  e->process(e, inPtr.data(), outPtr.data(), frames);
}

std::vector<std::vector<float>> runThrough(const EffectInstance& fx, const std::vector<float>& input,
                                           std::int32_t blockSize) {
  ProcessBuffers buffers(fx, blockSize);
  std::vector<std::vector<float>> result(buffers.outputs().size(), std::vector<float>(input.size()));
  for (std::size_t at = 0; at < input.size(); at += static_cast<std::size_t>(blockSize)) {
    const std::size_t n = std::min(input.size() - at, static_cast<std::size_t>(blockSize));
    for (auto& c : buffers.inputs()) std::memcpy(c.data(), input.data() + at, n * sizeof(float));
    buffers.process(static_cast<std::int32_t>(n));
    for (std::size_t c = 0; c < result.size(); ++c)
      std::memcpy(result[c].data() + at, buffers.outputs()[c].data(), n * sizeof(float));
  }
  return result;
}
