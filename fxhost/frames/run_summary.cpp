#include "fxhost/frames/run_summary.h"

#include <cstdio>

#include "fxhost/frames/progress.h"

namespace fxhost {

RunCounts CountFrames(std::span<const FrameResult> frames) {
  RunCounts counts;
  for (const FrameResult& frame : frames) {
    if (frame.skipped) {
      ++counts.skipped;
    } else if (frame.succeeded) {
      ++counts.done;
    } else {
      ++counts.failed;
    }
  }
  return counts;
}

std::string SummaryLine(std::span<const FrameResult> frames, double wall_seconds) {
  const RunCounts counts = CountFrames(frames);
  const std::size_t rendered = counts.done + counts.failed;
  const double fps = wall_seconds > 0 ? static_cast<double>(rendered) / wall_seconds : 0;
  char wall[32];
  if (wall_seconds < 59.995) {
    std::snprintf(wall, sizeof wall, "%.2f s", wall_seconds);
  } else {
    std::snprintf(wall, sizeof wall, "%s", FormatDuration(wall_seconds).c_str());
  }
  char line[160];
  std::snprintf(line, sizeof line, "fxhost: %zu frames: %zu done, %zu skipped, %zu failed; %s, %.1f fps",
                frames.size(), counts.done, counts.skipped, counts.failed, wall, fps);
  return line;
}

}  // namespace fxhost
