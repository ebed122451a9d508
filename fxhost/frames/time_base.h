#pragma once
// Frames to host time. The host counts time in integer units: a command's time is current_time /
// time_scale seconds, and a frame lasts time_step units. fxhost chooses integers that make frame F
// start at exactly F / fps seconds:
// - NTSC rates (fps = N * 1000 / 1001, e.g. 23.976, 29.97, 59.94, given to three decimals or more):
//   time_scale N * 1000, time_step 1001;
// - any other rate: fps rounded to thousandths, as the fraction (fps * 1000) / 1000 in lowest terms:
//   24 gives time_scale 24 and time_step 1, 12.5 gives 25 and 2.
// current_time is then frame * time_step.

#include <cstdint>

namespace fxhost {

struct TimeBase {
  std::int32_t time_step = 1;
  std::uint32_t time_scale = 24;
};

// Throws InputError for a rate that is not positive and finite.
TimeBase TimeBaseForFps(double fps);

// current_time of `frame`; throws InputError when it does not fit the host's 32-bit time.
std::int32_t FrameTime(const TimeBase& base, int frame);

// The frame's start in seconds, computed as the host computes a command's time from its integers,
// so a keyframe placed here is found exactly by a command at that frame.
double FrameSeconds(const TimeBase& base, int frame);

}  // namespace fxhost
