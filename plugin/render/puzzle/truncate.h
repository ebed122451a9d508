// Finiteness of a double, and truncation of a double toward zero into a signed 32-bit integer
// without undefined behaviour: values beyond the range are held to its ends and NaN gives 0. Inside
// the range it is the plain conversion.
#ifndef ZELKRA_RENDER_PUZZLE_TRUNCATE_H
#define ZELKRA_RENDER_PUZZLE_TRUNCATE_H

#include <stdint.h>

inline int32_t TruncateToInt32(double v) {
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  if (!(v == v)) return 0;  // NaN
  return static_cast<int32_t>(v);
}

// Whether v is a number other than an infinity.
inline bool IsFinite(double v) {
  return __builtin_isfinite(v);
}

#endif
