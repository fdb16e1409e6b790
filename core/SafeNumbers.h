#pragma once
// Conversions that stay defined for any double, including NaN and values beyond int.

#include <cmath>
#include <cstdint>

// Truncates toward zero; NaN gives 0 and values beyond the int range give its limits.
inline int TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int>(v);
}
