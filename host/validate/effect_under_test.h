// The plug-in as a check's child process sees it: the library loaded once, and effect
// instances opened through its entry with the host tools' callback. Everything here runs
// in the child.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aeffect.h"
#include "effect_instance.h"
#include "plugin_library.h"

// The loaded library; loading failures are described, not thrown.
class PluginUnderTest {
 public:
  bool load(const std::string& path);
  const std::string& error() const { return problem; }
  // A new instance from the entry; its record may be null or not a record at all.
  EffectInstance open() const;

 private:
  PluginLibrary library;
  PluginEntryProc entry = nullptr;
  std::string problem;
};

// What a host checks of a record before it trusts it; empty when it looks sane.
std::string recordProblem(const AEffect* effect);

// One open effect instance driven as a host plays it; suspended and closed when it goes.
class TestedInstance {
 public:
  explicit TestedInstance(EffectInstance opened) : effect(std::move(opened)), record(effect.get()) {}
  ~TestedInstance() { close(); }
  TestedInstance(const TestedInstance&) = delete;
  TestedInstance& operator=(const TestedInstance&) = delete;

  AEffect* get() const { return record; }
  AEffect* operator->() const { return record; }
  std::int32_t inputs() const { return record->numInputs; }
  std::int32_t outputs() const { return record->numOutputs; }
  bool replacing() const { return (record->flags & effFlagsCanReplacing) && record->processReplacing; }

  std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                         void* ptr = nullptr, float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }
  // The set-up a host makes before audio runs: open, rate, block size, resume.
  void start(float sampleRate, std::int32_t blockSize);
  // One block: processReplacing when offered, else process into zeroed outputs.
  void process(float** in, float** out, std::int32_t frames);
  void close();

 private:
  EffectInstance effect;
  AEffect* record;
};

// Channel buffers for one effect, every channel ending at a guard page.
class GuardedSamples;
class ChannelBlock {
 public:
  ChannelBlock(std::int32_t inputs, std::int32_t outputs, std::int32_t frames);
  ~ChannelBlock();
  float** in() { return inPtr.data(); }
  float** out() { return outPtr.data(); }
  std::int32_t frames() const { return count; }
  // Every output sample, channel after channel.
  std::vector<float> outputSamples() const;

 private:
  std::int32_t count;
  std::vector<std::unique_ptr<GuardedSamples>> channels;
  std::vector<float*> inPtr, outPtr;
};
