#pragma once
// What a render shows while it runs: on a terminal one updating line (frames done, frames per second,
// time left); otherwise one plain line per frame; nothing but failures with --quiet. Failed frames are
// always shown, with the plug-in's result code and message.

#include <chrono>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>

#include "fxhost/frames/frame_result.h"

namespace fxhost {

enum class ProgressMode { kQuiet, kLines, kTerminal };

// Whether the standard error stream is a terminal.
bool StderrIsTerminal();

// "0:07", "12:34", "1:02:03".
std::string FormatDuration(double seconds);

// "frames 12/24  5.3 fps  0:02 left" (the time left once a frame is done); with skipped frames
// "frames 12/24 (4 skipped)  ...", their rate and time left from the rendered frames alone.
std::string ProgressLine(std::size_t done, std::size_t total, double elapsed_seconds,
                         std::size_t skipped = 0);

// "frame 12: FAILED, result PF_Err_INTERNAL_STRUCT_DAMAGED (512), Memory Error!" or "frame 12: ok,
// 0.150 s (render 0.123 s), out/frame_0012.png": the whole frame's time (reading, rendering, writing),
// the plug-in's beside it; or "frame 12: skipped, out/frame_0012.png exists".
std::string FrameLine(const FrameResult& frame);

class Progress {
 public:
  Progress(std::size_t total, ProgressMode mode, std::ostream& out);

  // Called once per frame as it finishes, from any thread.
  void FrameDone(const FrameResult& frame);

  // Ends the updating line.
  void Finish();

 private:
  std::mutex mutex_;
  std::size_t total_;
  std::size_t done_ = 0;
  std::size_t skipped_ = 0;
  ProgressMode mode_;
  std::ostream& out_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool line_open_ = false;
};

}  // namespace fxhost
