// Running signals through one effect instance in the host tools' own process, as a host
// plays audio: the set-up calls, then blocks through processReplacing (or process into
// zeroed outputs for an effect that only adds).
#pragma once

#include <cstdint>
#include <vector>

#include "effect_instance.h"

// Open, sample rate, block size, resume. Called on the caller's thread.
void startEffect(const EffectInstance& fx, float sampleRate, std::int32_t blockSize);

// Feeds `input` to every input of `fx` in blocks of `blockSize`; returns every output
// channel, each as long as the input. Allocates its buffers once per call.
std::vector<std::vector<float>> runThrough(const EffectInstance& fx, const std::vector<float>& input,
                                           std::int32_t blockSize);

// One block of the channel buffers a host hands over, reused call after call.
class ProcessBuffers {
 public:
  ProcessBuffers(const EffectInstance& fx, std::int32_t blockSize);
  // Processes `frames` (at most the block size) of what the input buffers hold.
  void process(std::int32_t frames);
  std::vector<std::vector<float>>& inputs() { return in; }
  const std::vector<std::vector<float>>& outputs() const { return out; }

 private:
  const EffectInstance& effect;
  std::vector<std::vector<float>> in, out;
  std::vector<float*> inPtr, outPtr;
};
