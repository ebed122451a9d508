#pragma once
// The report of a render while it runs: rewritten (atomically) as frames finish, so that a run killed
// part-way (a farm's time limit, a cancelled task, a lost machine) still leaves a report of the frames
// it finished, marked "partial": true. The final report replaces it at the end of the run.
//
// A rewrite costs time in proportion to the frames done so far, so it is made only when at least
// kSpacing times as long as the last rewrite took has passed since: on real frames every frame, on a
// long run of tiny frames a few times a second, never more than a small share of the run.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include "fxhost/frames/frame_result.h"
#include "fxhost/frames/report.h"

namespace fxhost {

class ReportWriter {
 public:
  // `frame_count`: the frames of the run; their results are reported in that order.
  ReportWriter(std::filesystem::path path, RunInfo run, std::size_t frame_count);

  // Records the `index`-th frame's result and rewrites the report when due; from any thread. A
  // failed rewrite is not an error here: the final report, written by the caller, reports it.
  void FrameDone(std::size_t index, const FrameResult& frame);

 private:
  static constexpr double kSpacing = 10;

  void Write();

  std::mutex mutex_;
  std::filesystem::path path_;
  RunInfo run_;
  std::vector<std::optional<FrameResult>> frames_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point last_write_ = start_;
  double last_write_seconds_ = 0;
  bool writable_ = true;
};

}  // namespace fxhost
