// `fxhost report merge`: its options (declared in cli.h, with the other commands').
#include "fxhost/cli/cli.h"

namespace fxhost {

void AddReportCommands(CLI::App& app, Options& options) {
  CLI::App* report = app.add_subcommand("report", "Work with render reports (--report files)");
  report->require_subcommand(1);
  CLI::App* merge = report->add_subcommand(
      "merge",
      "Merge the reports of a shot rendered in pieces into one, in frame order, naming the frames missing or "
      "failed; exit status 0 only when every frame of the shot is there");
  merge->add_option("reports", options.reports, "The reports, oldest first (a later one's frames win)")
      ->check(CLI::ExistingFile);
  merge->add_option_function<std::string>(
      "--frames", [&options](const std::string& list) { options.frames = list; },
      "The shot's frames, as render takes them (default: the frames the reports name)");
  merge->add_option("--output", options.merged_report, "Write the merged report to this JSON file");
  merge->callback([&options] { options.command = "report merge"; });
}

}  // namespace fxhost
