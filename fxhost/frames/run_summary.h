#pragma once
// The line that ends every render, on a terminal or not: "fxhost: 24 frames: 22 done, 1 skipped,
// 1 failed; 3.21 s, 7.2 fps". Frames per second counts the frames the run rendered (done and failed,
// not skipped) over the wall time.

#include <cstddef>
#include <span>
#include <string>

#include "fxhost/frames/frame_result.h"

namespace fxhost {

struct RunCounts {
  std::size_t done = 0;     // rendered and written
  std::size_t skipped = 0;  // left alone: the output was there
  std::size_t failed = 0;
  bool operator==(const RunCounts&) const = default;
};

RunCounts CountFrames(std::span<const FrameResult> frames);

// The summary line (without "\n"); the wall time as "3.21 s" under a minute, else "1:02:03".
std::string SummaryLine(std::span<const FrameResult> frames, double wall_seconds);

}  // namespace fxhost
