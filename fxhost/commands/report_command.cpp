// `fxhost report merge`: reads the reports, merges them (frames/report_merge.h), writes the merged
// report and prints what it tells; the exit status is the shot's state.
#include <vector>

#include "fxhost/commands/commands.h"
#include "fxhost/frames/frame_list.h"
#include "fxhost/frames/report.h"
#include "fxhost/frames/report_merge.h"

namespace fxhost {

int ReportMergeCommand(const Options& options, std::ostream& out) {
  std::optional<std::vector<int>> shot_frames;
  if (options.frames) shot_frames = ParseFrameList(*options.frames);
  std::vector<NamedReport> reports;
  for (const std::string& path : options.reports) reports.push_back(ReadReportFile(path));
  const nlohmann::json merged = MergeReports(reports, shot_frames);
  if (!options.merged_report.empty()) WriteReport(options.merged_report, merged);
  out << MergeSummaryText(merged) << std::flush;
  return merged["summary"]["complete"].get<bool>() ? kExitOk : kExitFailed;
}

}  // namespace fxhost
