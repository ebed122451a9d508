// fxbench: whole frames of the effect, rendered through the host library the way fxhost renders
// them (pre-render, render, the host's fill, layer checkouts, worlds, area sampling, progress).
//
// Each case is named case/WIDTHxHEIGHT/DEPTH and reports the counter x_copy: the CPU time of one
// frame divided by the CPU time, measured in the same process, of one memcpy of that frame's
// output bytes (both as the thread's CPU time, which a busy machine inflates less than wall time).
// Cases:
//   grid       Row 4, Column 4, Time 2.5, no gap layer;
//   gap        Row 2, Column 2, Time 2.5, a gap layer of the frame's size, Fit off;
//   pixelgrid  one pixel a tile (Row = height, Column = width), Time 2.5;
//   longwalk   Row 4, Column 4, Time 100000 (the longest walk).
// Run: build/bin/fxbench (Google Benchmark options apply, e.g. --benchmark_filter=gap).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "frame_bench.h"
#include "memcpy_baseline.h"

namespace {

struct Case {
  const char* name;
  A_long width;
  A_long height;
  host::PixelDepth depth;
  FrameSettings settings;
};

int DepthBits(host::PixelDepth depth) {
  switch (depth) {
    case host::PixelDepth::k8Bit:
      return 8;
    case host::PixelDepth::k16Bit:
      return 16;
    case host::PixelDepth::kFloat:
      return 32;
  }
  return 0;
}

void RenderCase(benchmark::State& state, const Case& c) {
  FrameBench bench(c.width, c.height, c.depth, c.settings);
  if (const std::string error = bench.RenderOnce(); !error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  const double start = ThreadCpuSeconds();
  for (auto _ : state) {
    const std::string error = bench.RenderOnce();
    if (!error.empty()) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  const double frame_seconds = (ThreadCpuSeconds() - start) / static_cast<double>(state.iterations());
  const double copy_seconds = MemcpySeconds(bench.output_bytes());
  state.counters["x_copy"] = frame_seconds / copy_seconds;
  state.counters["copy_ms"] = copy_seconds * 1e3;
}

std::vector<Case> Cases() {
  using D = host::PixelDepth;
  const D depths[] = {D::k8Bit, D::k16Bit, D::kFloat};
  const FrameSettings grid{4, 4, 2.5, false};
  std::vector<Case> cases;
  for (D depth : depths) cases.push_back({"grid", 3840, 2160, depth, grid});
  for (D depth : depths) cases.push_back({"grid", 1920, 1080, depth, grid});
  for (D depth : depths) cases.push_back({"gap", 3840, 2160, depth, FrameSettings{2, 2, 2.5, true}});
  for (D depth : depths)
    cases.push_back({"pixelgrid", 1920, 1080, depth, FrameSettings{1080, 1920, 2.5, false}});
  cases.push_back({"longwalk", 1920, 1080, D::k8Bit, FrameSettings{4, 4, 100000, false}});
  return cases;
}

}  // namespace

int main(int argc, char** argv) {
  for (const Case& c : Cases()) {
    const std::string name = std::string(c.name) + "/" + std::to_string(c.width) + "x" +
                             std::to_string(c.height) + "/" + std::to_string(DepthBits(c.depth));
    benchmark::RegisterBenchmark(name.c_str(), RenderCase, c)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
