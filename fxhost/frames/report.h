#pragma once
// The JSON report of a render (`--report FILE.json`) and the framecrc-style checksum listing.
//
// Shape:
// {
//   "fxhost_report": 1,
//   "run": {"plugin": "...", "command": ["fxhost", "render", ...], "depth": 8, "width": 1920,
//           "height": 1080, "fps": 24, "jobs": 2, "output": "out/frame_####.png"},
//   "frames": [
//     {"frame": 0, "status": "rendered", "succeeded": true, "result": 0, "message": "",
//      "seconds": 0.0151, "render_seconds": 0.0123, "checksum": "0, 8, 1920x1080, 0x1c291ca3",
//      "output": "out/frame_0000.png", "held": {}}
//   ],
//   "summary": {"frames": 24, "succeeded": 24, "failed": 0, "failed_frames": [], "skipped": 0,
//               "wall_seconds": 1.5, "render_seconds": 2.9, "frames_per_second": 16.0,
//               "held_at_end": {}}
// }
// A run stopped by a signal reports the frames that started, and its summary adds
// "stopped_by": "SIGTERM".
// A frame's "seconds" is the whole frame (reading its layers, rendering, writing it), its
// "render_seconds" the plug-in's pre-render and render alone.
// A frame's status is "rendered", "failed" or "skipped" (its file existed: --skip-existing); skipped
// frames count as succeeded, with no checksum.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "fxhost/frames/frame_result.h"

namespace fxhost {

struct RunInfo {
  std::string plugin;
  std::vector<std::string> command;  // the program's arguments, as given
  int depth = 8;
  int width = 0;
  int height = 0;
  double fps = 24;
  int jobs = 1;
  std::string output;
  std::string stopped_by;  // the signal that stopped the run ("SIGTERM"), "" when it ran to the end
};

nlohmann::json FrameResultJson(const FrameResult& frame);

// The whole report; `frames` in frame order, `held_at_end` what the host held after the last command.
nlohmann::json ReportJson(const RunInfo& run, std::span<const FrameResult> frames, double wall_seconds,
                          const HeldResources& held_at_end);

// Writes `report` to `path` atomically, making its folder when it is missing; throws std::runtime_error
// naming the file on failure.
void WriteReport(const std::filesystem::path& path, const nlohmann::json& report);

// One checksum line per rendered frame, after a header line starting with '#'.
std::string ChecksumListing(std::span<const FrameResult> frames);

}  // namespace fxhost
