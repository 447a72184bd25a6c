#include "effect_description.h"

#include <cstdio>

std::vector<std::string> parameterNames(const EffectInstance& fx) {
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < fx->numParams; ++i) names.push_back(fx.text(effGetParamName, i));
  return names;
}

std::vector<ParameterDescription> describeParameters(const EffectInstance& fx) {
  std::vector<ParameterDescription> parameters;
  for (std::int32_t i = 0; i < fx->numParams; ++i)
    parameters.push_back({i, fx.text(effGetParamName, i), fx.text(effGetParamLabel, i),
                          fx.text(effGetParamDisplay, i), fx.get(i)});
  return parameters;
}

EffectDescription describeEffect(const EffectInstance& fx) {
  const AEffect& r = *fx.get();
  EffectDescription d{r.magic, r.numPrograms, r.numParams, r.numInputs, r.numOutputs, r.flags,
                      r.initialDelay, r.realtimeQualities, r.offlineQualities, r.uniqueID, r.version,
                      r.ioRatio, 0, 0, {}, {}};
  d.identity = fx.dispatch(effIdentify);
  d.currentProgram = static_cast<std::int32_t>(fx.dispatch(effGetProgram));
  for (std::int32_t p = 0; p < r.numPrograms; ++p) {
    fx.dispatch(effSetProgram, 0, p);
    d.programs.push_back({p, fx.text(effGetProgramName)});
  }
  if (r.numPrograms > 0) fx.dispatch(effSetProgram, 0, d.currentProgram);
  d.parameters = describeParameters(fx);
  return d;
}

std::vector<std::string> flagWords(std::int32_t flags) {
  struct Bit { std::int32_t bit; const char* word; };
  const Bit known[] = {{effFlagsCanReplacing, "replacing"}, {effFlagsHasVu, "vu"},
                       {effFlagsHasClip, "clip"}, {effFlagsCanMono, "mono"}};
  std::vector<std::string> words;
  std::uint32_t rest = static_cast<std::uint32_t>(flags);
  for (const Bit& b : known)
    if (rest & static_cast<std::uint32_t>(b.bit)) {
      words.push_back(b.word);
      rest &= ~static_cast<std::uint32_t>(b.bit);
    }
  for (int shift = 0; shift < 32; ++shift) {
    const std::uint32_t bit = 1u << shift;
    if (rest & bit) {
      char text[16];
      std::snprintf(text, sizeof text, "0x%X", bit);
      words.push_back(text);
    }
  }
  return words;
}
