// Which parameters of an effect shape its curves: a parameter that picks one of a few
// curves (its display text takes a few distinct values over 0..1, such as a Type), and the
// drive parameters found by name (DEPTH, PreAmp) and the dry share (MIX).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect_instance.h"

struct CurveChoice {
  std::string label;  // the display text, trailing blanks dropped
  float value;        // a parameter value in the middle of the range that shows it
};

struct CurveParameters {
  std::vector<std::string> names;  // every parameter's name
  std::int32_t curve = -1;         // -1: the effect has one curve
  std::vector<CurveChoice> curves;
  std::int32_t depth = -1, preAmp = -1, mix = -1;
};

// Reads names and sweeps the candidates over 0..1, restoring each value afterwards.
// Called on the main thread before processing.
CurveParameters findCurveParameters(const EffectInstance& fx);
