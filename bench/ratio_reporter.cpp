#include "ratio_reporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
      seconds_per_iteration_[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
    }
  }
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\nRatios to the baseline of each group (same run):\n");
  for (const auto& [name, seconds] : seconds_per_iteration_) {
    const auto slash = name.find('/');
    if (slash == std::string::npos) continue;
    const std::string group = name.substr(0, slash);
    if (name.compare(slash + 1, std::string::npos, "baseline") == 0) continue;
    const auto baseline = seconds_per_iteration_.find(group + "/baseline");
    if (baseline == seconds_per_iteration_.end() || baseline->second <= 0) continue;
    std::printf("  %-48s %8.2fx\n", name.c_str(), seconds / baseline->second);
  }
}
