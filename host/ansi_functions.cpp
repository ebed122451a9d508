#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>

#include "host/gate.h"
#include "host/host_functions.h"

namespace host {

A_long host_sprintf(A_char* buffer, const A_char* format, ...) {
  if (gate("sprintf", static_cast<const void*>(buffer), format)) return -1;
  if (buffer == nullptr || format == nullptr) return -1;
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, kSprintfLimit, format, args);
  va_end(args);
  if (n < 0) return -1;
  return n < kSprintfLimit ? n : kSprintfLimit - 1;
}

A_char* host_strcpy(A_char* dest, const A_char* src) {
  if (gate("strcpy", static_cast<const void*>(dest), src)) return nullptr;
  if (dest == nullptr || src == nullptr) return nullptr;
  return std::strcpy(dest, src);
}

A_FpLong host_ceil(A_FpLong x) {
  if (gate("ceil", x)) return std::numeric_limits<A_FpLong>::quiet_NaN();
  return std::ceil(x);
}

A_FpLong host_floor(A_FpLong x) {
  if (gate("floor", x)) return std::numeric_limits<A_FpLong>::quiet_NaN();
  return std::floor(x);
}

}  // namespace host
