#include "fxhost/frames/report.h"

#include "fxhost/files/atomic_file.h"
#include "fxhost/files/folders.h"

namespace fxhost {

nlohmann::json FrameResultJson(const FrameResult& frame) {
  return {{"frame", frame.frame},
          {"status", FrameStatusName(frame)},
          {"succeeded", frame.succeeded},
          {"result", frame.result},
          {"message", frame.message},
          {"seconds", frame.seconds},  // the whole frame, reading and writing included
          {"render_seconds", frame.render_seconds},
          {"checksum", frame.checksum},
          {"output", frame.output},
          {"held", frame.held}};
}

nlohmann::json ReportJson(const RunInfo& run, std::span<const FrameResult> frames, double wall_seconds,
                          const HeldResources& held_at_end) {
  nlohmann::json frame_list = nlohmann::json::array();
  nlohmann::json failed_frames = nlohmann::json::array();
  double render_seconds = 0;
  long long skipped = 0;
  for (const FrameResult& f : frames) {
    frame_list.push_back(FrameResultJson(f));
    if (!f.succeeded) failed_frames.push_back(f.frame);
    if (f.skipped) ++skipped;
    render_seconds += f.render_seconds;
  }
  const auto count = static_cast<long long>(frames.size());
  const auto failed = static_cast<long long>(failed_frames.size());
  nlohmann::json report = {
      {"fxhost_report", 1},
      {"run",
       {{"plugin", run.plugin},
        {"command", run.command},
        {"depth", run.depth},
        {"width", run.width},
        {"height", run.height},
        {"fps", run.fps},
        {"jobs", run.jobs},
        {"output", run.output}}},
      {"frames", frame_list},
      {"summary",
       {{"frames", count},
        {"succeeded", count - failed},
        {"failed", failed},
        {"failed_frames", failed_frames},
        {"skipped", skipped},
        {"wall_seconds", wall_seconds},
        {"render_seconds", render_seconds},
        {"frames_per_second", wall_seconds > 0 ? static_cast<double>(count) / wall_seconds : 0.0},
        {"held_at_end", held_at_end}}},
  };
  if (!run.stopped_by.empty()) report["summary"]["stopped_by"] = run.stopped_by;
  return report;
}

void WriteReport(const std::filesystem::path& path, const nlohmann::json& report) {
  MakeFoldersFor(std::span(&path, 1));
  WriteFileAtomically(path, report.dump(2) + "\n");
}

std::string ChecksumListing(std::span<const FrameResult> frames) {
  std::string listing = "#frame, depth, size, crc32 (alpha, red, green, blue; little-endian)\n";
  for (const FrameResult& f : frames) {
    if (!f.checksum.empty()) listing += f.checksum + "\n";
  }
  return listing;
}

}  // namespace fxhost
