#include "curve_parameters.h"

#include <algorithm>
#include <cctype>

#include "parameter_lookup.h"

namespace {

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A choice parameter shows between 2 and this many texts, each over one stretch of 0..1.
constexpr std::size_t kMostChoices = 8;
constexpr int kSweepSteps = 200;

std::vector<CurveChoice> choicesOf(const EffectInstance& fx, std::int32_t index) {
  const float original = fx.get(index);
  struct Run {
    std::string label;
    float first, last;
  };
  std::vector<Run> runs;
  for (int step = 0; step <= kSweepSteps; ++step) {
    const float v = static_cast<float>(step) / kSweepSteps;
    fx.set(index, v);
    const std::string label = trimTrailingBlanks(fx.text(effGetParamDisplay, index));
    if (!runs.empty() && runs.back().label == label) runs.back().last = v;
    else runs.push_back({label, v, v});
    if (runs.size() > kMostChoices) break;
  }
  fx.set(index, original);
  std::vector<CurveChoice> choices;
  if (runs.size() < 2 || runs.size() > kMostChoices) return choices;
  for (const Run& r : runs) {
    // Each text must own one stretch: a text that comes back is a continuous value.
    for (const CurveChoice& c : choices)
      if (c.label == r.label) return {};
    choices.push_back({r.label.empty() ? "(blank)" : r.label, (r.first + r.last) / 2.0f});
  }
  return choices;
}

}  // namespace

CurveParameters findCurveParameters(const EffectInstance& fx) {
  CurveParameters found;
  for (std::int32_t p = 0; p < fx->numParams; ++p) found.names.push_back(fx.text(effGetParamName, p));
  for (std::int32_t p = 0; p < fx->numParams; ++p) {
    const std::string name = lowered(trimTrailingBlanks(found.names[static_cast<std::size_t>(p)]));
    if (name == "depth" && found.depth < 0) found.depth = p;
    else if (name == "preamp" && found.preAmp < 0) found.preAmp = p;
    else if (name == "mix" && found.mix < 0) found.mix = p;
  }
  for (std::int32_t p = 0; p < fx->numParams && found.curve < 0; ++p) {
    if (p == found.depth || p == found.preAmp || p == found.mix) continue;
    std::vector<CurveChoice> choices = choicesOf(fx, p);
    if (!choices.empty()) {
      found.curve = p;
      found.curves = std::move(choices);
    }
  }
  return found;
}
