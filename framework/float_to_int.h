// Float-to-integer conversions that are defined for every input a host can send.
//
// A C++ conversion from a floating value outside the target's range (or NaN) is undefined
// behaviour, so every float that becomes an index, a curve number or a percentage goes
// through here. In-range values truncate toward zero exactly as a plain cast does.
#pragma once

#include <cstdint>

// Truncates toward zero; NaN gives 0, values beyond the int32 range give its nearest end.
inline std::int32_t truncateToInt32(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(v);
}

// Truncates toward zero into 0..last; NaN and negative values give 0.
inline std::uint32_t truncateToIndex(double v, std::uint32_t last) {
  if (!(v > 0.0)) return 0;
  if (v >= static_cast<double>(last)) return last;
  return static_cast<std::uint32_t>(v);
}
