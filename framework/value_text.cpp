// Fixed-width value texts: at most 8 characters and a terminator, so 9 bytes of the
// caller's buffer at most, for any input. Digits are cut, never rounded.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "audioeffect.h"

namespace {
constexpr int kWidth = 8;
const char kHuge[] = " Huge!  ";
const char kMinusInfinity[] = "   -\xB0   ";
// Not a number: no digits to show, so say so in the same width.
const char kNotANumber[] = "   NaN  ";

void writeFixed(char* text, const char* fixed) { std::memcpy(text, fixed, kWidth + 1); }

// A double as a float; magnitudes beyond the float range become infinities (shown as
// " Huge!  ") instead of an undefined conversion.
float toFloat(double v) {
  if (v > FLT_MAX) return HUGE_VALF;
  if (v < -FLT_MAX) return -HUGE_VALF;
  return static_cast<float>(v);
}
}  // namespace

void AudioEffect::float2string(float value, char* text) {
  if (std::isnan(value)) return writeFixed(text, kNotANumber);
  const bool negative = std::signbit(value) && value != 0.0f;  // -0.0 shows as 0
  const double v = negative ? -static_cast<double>(value) : static_cast<double>(value);
  if (v > (negative ? 9999999.0 : 99999999.0)) return writeFixed(text, kHuge);

  // Integer parts one digit wider than the field (8 digits, or 7 with a sign) are shown
  // whole, without the point, rather than losing their leading digit.
  const double whole = std::floor(v);
  if (whole >= (negative ? 1000000.0 : 10000000.0)) {
    std::snprintf(text, kWidth + 1, "%s%.0f", negative ? "-" : "", whole);
    return;
  }

  // Integer digits from the units upward, as far as the field allows.
  char integerDigits[kWidth];
  int digitCount = 0;
  int count = negative ? 3 : 2;
  integerDigits[digitCount++] = static_cast<char>('0' + static_cast<int>(std::fmod(whole, 10.0)));
  for (double r = 0.1 * whole; r >= 1.0 && count < kWidth; r = 0.1 * r, ++count)
    integerDigits[digitCount++] = static_cast<char>('0' + static_cast<int>(std::fmod(r, 10.0)));

  char* out = text;
  if (negative) *out++ = '-';
  while (digitCount > 0) *out++ = integerDigits[--digitCount];
  *out++ = '.';

  const int fractionCount = kWidth - count;
  double f = std::pow(10.0, fractionCount) * std::fmod(v, 1.0);
  for (int k = fractionCount - 1; k >= 0; --k) {
    if (f > 0.0) {
      out[k] = static_cast<char>('0' + static_cast<int>(std::fmod(f, 10.0)));
      f = 0.1 * f;
    } else {
      out[k] = '0';
    }
  }
  out[fractionCount] = 0;
}

void AudioEffect::dB2string(float value, char* text) {
  std::int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  if (bits <= 0) return writeFixed(text, kMinusInfinity);  // zero, -0 and negative levels
  float2string(toFloat(20.0 * std::log10(static_cast<double>(value))), text);
}

void AudioEffect::Hz2string(float samples, char* text) {
  const float rate = getSampleRate();
  if (samples == 0.0f) return float2string(0.0f, text);
  float2string(toFloat(static_cast<double>(rate) / samples), text);
}

// A zero sample rate makes the duration infinite (" Huge!  ") or undefined for zero
// samples (the NaN text); both stay within the field.
void AudioEffect::ms2string(float samples, char* text) {
  const float rate = getSampleRate();
  float2string(toFloat(static_cast<double>(samples) * 1000.0 / rate), text);
}

void AudioEffect::long2string(std::int32_t value, char* text) {
  if (value >= 100000000 || value < -9999999) return writeFixed(text, kHuge);
  std::snprintf(text, kWidth + 1, "%7d", static_cast<int>(value));
}
