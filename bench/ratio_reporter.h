// Console output of Google Benchmark plus, at the end, each case's time as a ratio of its group's
// baseline, by CPU time (the machines are shared: wall time counts the neighbours too). A
// benchmark named "group/baseline" is the baseline of every "group/<case>".
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::map<std::string, double> seconds_per_iteration_;
};
