#include "fxhost/frames/time_base.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <string>

#include "fxhost/cli/input_error.h"

namespace fxhost {

TimeBase TimeBaseForFps(double fps) {
  if (!(fps > 0) || !std::isfinite(fps) || fps > 1e6) {
    throw InputError("--fps: " + std::to_string(fps) + " is not a usable frame rate");
  }
  const double ntsc = std::round(fps * 1001.0 / 1000.0);
  if (std::abs(fps - std::round(fps)) > 1e-9 && ntsc >= 1 && std::abs(fps - ntsc * 1000.0 / 1001.0) < 5e-4) {
    return TimeBase{1001, static_cast<std::uint32_t>(ntsc * 1000)};
  }
  const auto thousandths = static_cast<std::int64_t>(std::llround(fps * 1000.0));
  if (thousandths < 1) throw InputError("--fps: frame rates start at 0.001");
  const std::int64_t divisor = std::gcd(thousandths, std::int64_t{1000});
  return TimeBase{static_cast<std::int32_t>(1000 / divisor),
                  static_cast<std::uint32_t>(thousandths / divisor)};
}

std::int32_t FrameTime(const TimeBase& base, int frame) {
  const std::int64_t time = std::int64_t{frame} * base.time_step;
  if (time < std::numeric_limits<std::int32_t>::min() || time > std::numeric_limits<std::int32_t>::max()) {
    throw InputError("frame " + std::to_string(frame) +
                     " is beyond the host's time range at this frame rate");
  }
  return static_cast<std::int32_t>(time);
}

double FrameSeconds(const TimeBase& base, int frame) {
  return static_cast<double>(FrameTime(base, frame)) / base.time_scale;
}

}  // namespace fxhost
