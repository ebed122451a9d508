#pragma once
// `fxhost report merge`: the reports of a shot rendered in pieces (a farm's tasks, re-runs of the
// ones that did not finish) made into one report of the shot, in frame order, with what is missing.
//
// Each frame is taken from the reports in the order given, a later report's entry replacing an
// earlier one's (a re-run is newer), except that a "skipped" entry (the re-run found the file) never
// replaces a "rendered" one, which tells what is in the file. The merged report has the shape of a
// render's report (see report.h) with:
//   "merged_from": the report files, in order; each frame's "report": the file it was taken from;
//   frames no report names: {"frame": F, "status": "unreported", "output": FILE} when their file
//   exists (a run killed before its report caught up), else {"frame": F, "status": "missing"};
//   "summary": {"frames", "rendered", "skipped", "unreported", "failed", "missing", "failed_frames",
//               "missing_frames", "unverified_frames" (there, but no report rendered them, so no
//               checksum is known: skipped or unreported), "render_seconds", "complete" (nothing
//               missing or failed)}.

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fxhost {

struct NamedReport {
  std::string name;  // the file, as given
  nlohmann::json report;
};

// Reads a render's report. Throws InputError naming the file when it cannot be read or is not one.
NamedReport ReadReportFile(const std::string& path);

// The file of a frame that no report names, when it exists (empty when not, or not known).
using ExistingFrameFile = std::function<std::string(const nlohmann::json& run, int frame)>;

// The merged report of the shot made of `shot_frames` (none: the frames the reports name);
// `existing_file` tells the frames no report names that are there all the same. Throws InputError
// when reports of different renders are mixed (their depth, size, frame rate or output differ).
nlohmann::json MergeReports(std::span<const NamedReport> reports,
                            const std::optional<std::vector<int>>& shot_frames,
                            const ExistingFrameFile& existing_file = {});

// What a merged report tells, in a few lines: the counts, then the missing, failed and unverified
// frames as compact lists ("24-29,31").
std::string MergeSummaryText(const nlohmann::json& merged);

// "0-3,7,9-10" for ascending frames.
std::string CompactFrameList(std::span<const int> frames);

}  // namespace fxhost
