// What a host can read about an effect through its record and its text opcodes, gathered
// once for printing as text or JSON.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect_instance.h"

struct ParameterDescription {
  std::int32_t index;
  std::string name, label, display;
  float value;
};

struct ProgramDescription {
  std::int32_t index;
  std::string name;
};

struct EffectDescription {
  std::int32_t magic, numPrograms, numParams, numInputs, numOutputs, flags;
  std::int32_t initialDelay, realtimeQualities, offlineQualities, uniqueID, version;
  float ioRatio;
  std::intptr_t identity;  // opcode 22's answer
  std::int32_t currentProgram;
  std::vector<ProgramDescription> programs;
  std::vector<ParameterDescription> parameters;
};

// Reads everything, selecting each program in turn for its name and then going back to the
// program that was current. Called on the host's main thread; allocates.
EffectDescription describeEffect(const EffectInstance& fx);

// The current names of the parameters, index by index.
std::vector<std::string> parameterNames(const EffectInstance& fx);
// Parameters with their name, label, value and display as they are now.
std::vector<ParameterDescription> describeParameters(const EffectInstance& fx);

// The flags as words: "replacing", "vu", "clip", "mono", and "0x.." for unknown bits.
std::vector<std::string> flagWords(std::int32_t flags);
