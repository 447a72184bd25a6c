#include "parameter_text.h"

#include <cstdio>
#include <cstring>

#include "float_to_int.h"

std::int32_t curveNumber(float value) { return truncateToInt32(static_cast<double>(value) * 2.9); }

float curveValue(std::int32_t curve) {
  const double value = curve * 0.5263157894736842;
  return static_cast<float>(value > 0.99 ? 0.99 : value);
}

void copyText(char* text, const char* source) { std::strcpy(text, source); }

void copyTextCut(char* text, const char* source, std::size_t maxLength) {
  const std::size_t length = strnlen(source, maxLength);
  std::memcpy(text, source, length);
  text[length] = 0;
}

void writeParameterDisplay(ParameterDisplay display, float value,
                           const char* const (&curveNames)[kCurveCount], char* text) {
  switch (display) {
    case ParameterDisplay::Value:
      std::snprintf(text, kMaxParameterText, " %f ", static_cast<double>(value));
      break;
    case ParameterDisplay::GainOfValue:
      std::snprintf(text, kMaxParameterText, " %f ", 1.0 + static_cast<double>(value));
      break;
    case ParameterDisplay::Percent:
      // The product is exact in double; truncation shows 89 for the float nearest 0.9.
      std::snprintf(text, kMaxParameterText, " %d %%",
                    static_cast<int>(truncateToInt32(static_cast<double>(value) * 100.0)));
      break;
    case ParameterDisplay::Curve: {
      const std::int32_t curve = curveNumber(value);
      if (curve >= 0 && curve < kCurveCount)
        copyText(text, curveNames[curve]);
      else
        std::snprintf(text, kMaxParameterText, "i=%d f=%f", static_cast<int>(curve),
                      static_cast<double>(value));
      break;
    }
  }
}
