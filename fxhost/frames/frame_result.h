#pragma once
// What one frame of a render came to: filled in by the render loop, read by the progress display and
// the report.

#include <map>
#include <string>

namespace fxhost {

// What the host still held, by kind of resource ("handles", "worlds", "suite:PF World Suite 2", ...) with
// a count; empty when nothing.
using HeldResources = std::map<std::string, long long>;

struct FrameResult {
  int frame = 0;
  bool succeeded = false;     // rendered and (unless the output is null) written
  int result = 0;             // the plug-in's result code (0 when it succeeded)
  std::string message;        // the plug-in's return_msg, or what failed in fxhost (writing the file)
  double render_seconds = 0;  // the plug-in's pre-render and render
  std::string checksum;       // FrameChecksumLine of the output world; empty when nothing was rendered
  std::string output;         // the file written; empty for null output or a failed frame
  // What the frame left held in the host (the ledger after the frame against before it). Only known
  // when frames render one at a time (--jobs 1); with frames in parallel it stays empty and the
  // report's held_at_end, after the set-downs, is the check.
  HeldResources held;
  double seconds = 0;  // the whole frame: reading its layers, rendering and writing it
  // Not rendered because its output file already existed (--skip-existing); then `succeeded` is true
  // (the frame is there), `output` names the file and `checksum` is empty.
  bool skipped = false;
};

// "rendered", "failed" or "skipped": the frame's status as the report and the merge name it.
inline const char* FrameStatusName(const FrameResult& frame) {
  if (frame.skipped) return "skipped";
  return frame.succeeded ? "rendered" : "failed";
}

}  // namespace fxhost
