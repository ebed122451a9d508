// `fxhost report merge`: reads the reports, merges them (frames/report_merge.h), writes the merged
// report and prints what it tells; the exit status is the shot's state.
#include <system_error>
#include <vector>

#include "fxhost/commands/commands.h"
#include "fxhost/files/output_spec.h"
#include "fxhost/frames/frame_list.h"
#include "fxhost/frames/report.h"
#include "fxhost/frames/report_merge.h"

namespace fxhost {
namespace {

// The file the reports' render writes for `frame`, when it exists (taken from the folder the merge
// runs in, as the render took it).
std::string ExistingOutput(const nlohmann::json& run, int frame) {
  try {
    const OutputSpec spec = ParseOutputSpec(run.at("output").get<std::string>(), 2);
    if (spec.kind != OutputKind::kImages) return {};
    const std::filesystem::path path = OutputPathFor(spec, frame);
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? path.string() : std::string();
  } catch (const std::exception&) {
    return {};  // no output pattern of numbered files: nothing to look for
  }
}

}  // namespace

int ReportMergeCommand(const Options& options, std::ostream& out) {
  std::optional<std::vector<int>> shot_frames;
  if (options.frames) shot_frames = ParseFrameList(*options.frames);
  std::vector<NamedReport> reports;
  for (const std::string& path : options.reports) reports.push_back(ReadReportFile(path));
  const nlohmann::json merged = MergeReports(reports, shot_frames, ExistingOutput);
  if (!options.merged_report.empty()) WriteReport(options.merged_report, merged);
  out << MergeSummaryText(merged) << std::flush;
  return merged["summary"]["complete"].get<bool>() ? kExitOk : kExitFailed;
}

}  // namespace fxhost
