#include "fxhost/frames/report_writer.h"

#include <exception>

namespace fxhost {

ReportWriter::ReportWriter(std::filesystem::path path, RunInfo run, std::size_t frame_count)
    : path_(std::move(path)), run_(std::move(run)), frames_(frame_count) {}

void ReportWriter::FrameDone(std::size_t index, const FrameResult& frame) {
  std::lock_guard lock(mutex_);
  frames_.at(index) = frame;
  const auto now = std::chrono::steady_clock::now();
  if (writable_ && std::chrono::duration<double>(now - last_write_).count() >= kSpacing * last_write_seconds_)
    Write();
}

void ReportWriter::Write() {
  std::vector<FrameResult> done;
  for (const auto& frame : frames_) {
    if (frame) done.push_back(*frame);
  }
  const auto start = std::chrono::steady_clock::now();
  nlohmann::json report =
      ReportJson(run_, done, std::chrono::duration<double>(start - start_).count(), HeldResources{});
  report["partial"] = true;
  try {
    WriteReport(path_, report);
  } catch (const std::exception&) {
    writable_ = false;
  }
  last_write_ = std::chrono::steady_clock::now();
  last_write_seconds_ = std::chrono::duration<double>(last_write_ - start).count();
}

}  // namespace fxhost
