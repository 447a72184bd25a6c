// The parameter rules and texts that both effects share: how a Type value picks a curve,
// how the curve is reported back, and the printf forms of the display texts.
//
// Every display text fits in 64 bytes for any float, NaN and infinities included (the
// longest is "i=%d f=%f" with both at their extremes, 63 characters).
#pragma once

#include <cstddef>
#include <cstdint>

enum class ParameterDisplay {
  Value,        // " %f " of the value
  GainOfValue,  // " %f " of 1 + value
  Percent,      // " %d %%" of the value as a whole percentage
  Curve,        // the curve's name, or "i=%d f=%f" for a curve that does not exist
};

constexpr int kCurveCount = 3;
constexpr int kMaxParameterText = 64;

// The curve that a raw Type value selects: value x 2.9, truncated toward zero. Values in
// 0..1 give 0, 1 or 2; others may give any number (NaN gives 0).
std::int32_t curveNumber(float value);

// The Type value the host reads back for a curve: curve / 1.9, at most 0.99. Written back,
// it selects the same curve.
float curveValue(std::int32_t curve);

// Copies a zero-terminated text, terminator included, into a host buffer.
void copyText(char* text, const char* source);

// Copies at most `maxLength` characters of `source` and a terminator: longer texts are cut.
void copyTextCut(char* text, const char* source, std::size_t maxLength);

// Writes the display text of a parameter. `curveNames` is used for Curve displays only.
void writeParameterDisplay(ParameterDisplay display, float value,
                           const char* const (&curveNames)[kCurveCount], char* text);
