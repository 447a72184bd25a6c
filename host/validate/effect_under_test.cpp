#include "effect_under_test.h"

#include <cstring>

#include "guarded_memory.h"
#include "host_callback.h"

bool PluginUnderTest::load(const std::string& path) {
  if (!library.load(path)) {
    problem = "cannot load: " + library.error();
    return false;
  }
  // A 64-bit host asks for the newer name first.
  entry = library.entry("VSTPluginMain");
  if (!entry) entry = library.entry("main");
  if (!entry) {
    problem = "the library exports neither VSTPluginMain nor main";
    return false;
  }
  return true;
}

EffectInstance PluginUnderTest::open() const { return EffectInstance(entry, host_callback::answer); }

std::string recordProblem(const AEffect* e) {
  if (!e) return "the entry returned no record";
  if (e->magic != kEffectMagic) return "wrong magic number " + std::to_string(e->magic);
  if (!e->dispatcher || !e->setParameter || !e->getParameter) return "an entry point of the record is null";
  if (!e->process && !e->processReplacing) return "no processing entry point";
  if (e->numInputs < 0 || e->numInputs > 64 || e->numOutputs < 0 || e->numOutputs > 64)
    return "implausible channel counts " + std::to_string(e->numInputs) + " in, " + std::to_string(e->numOutputs) + " out";
  if (e->numParams < 0 || e->numParams > 100000 || e->numPrograms < 0 || e->numPrograms > 100000)
    return "implausible parameter or program count";
  return "";
}

void TestedInstance::start(float sampleRate, std::int32_t blockSize) {
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effMainsChanged, 0, 1);
}

void TestedInstance::process(float** in, float** out, std::int32_t frames) {
  if (replacing()) {
    record->processReplacing(record, in, out, frames);
    return;
  }
  for (std::int32_t c = 0; c < outputs() && frames > 0; ++c) std::memset(out[c], 0, sizeof(float) * static_cast<std::size_t>(frames));
  record->process(record, in, out, frames);
}

void TestedInstance::close() {
  if (!record) return;
  dispatch(effMainsChanged, 0, 0);
  effect = EffectInstance();  // closes through opcode 1
  record = nullptr;
}

ChannelBlock::ChannelBlock(std::int32_t inputs, std::int32_t outputs, std::int32_t frames) : count(frames) {
  const std::size_t n = static_cast<std::size_t>(frames > 0 ? frames : 0);
  for (std::int32_t c = 0; c < inputs + outputs; ++c) {
    channels.push_back(std::make_unique<GuardedSamples>(n));
    (c < inputs ? inPtr : outPtr).push_back(channels.back()->data());
  }
  // Hosts pass a valid array even for an effect without inputs or outputs.
  inPtr.push_back(nullptr);
  outPtr.push_back(nullptr);
}

ChannelBlock::~ChannelBlock() = default;

std::vector<float> ChannelBlock::outputSamples() const {
  std::vector<float> all;
  for (std::size_t c = 0; c + 1 < outPtr.size(); ++c)
    all.insert(all.end(), outPtr[c], outPtr[c] + (count > 0 ? count : 0));
  return all;
}
