// Benchmarks of the effect's per-frame work, each against a baseline of the same run:
//   frame8|frame16|frameF: composing a 1920x1080 frame vs a plain copy of the same frame;
//   walk: replaying the longest walk (Time 100000) vs as many bare generator draws;
//   gap_image: area-sampling a 480x360 gap image from a 1920x1080 layer vs a plain frame copy.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "host/area_sampling.h"
#include "host/world_buffer.h"
#include "ratio_reporter.h"
#include "render/compose_frame.h"
#include "render/pixels/gap_image_plan.h"
#include "render/puzzle/gap_walk.h"
#include "render/puzzle/puzzle_rng.h"
#include "render/puzzle/tile_grid.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr int32_t kRows = 3;
constexpr int32_t kColumns = 4;
constexpr int32_t kLongestWalk = 100001;  // Time 100000

template <typename Pixel>
host::PixelDepth DepthOf() {
  return host::PixelTraits<Pixel>::kDepth;
}

// A layer with some non-trivial content: every channel varies across the frame.
host::WorldBuffer MakeLayer(int32_t width, int32_t height, host::PixelDepth depth) {
  host::WorldBuffer layer(width, height, depth);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const PF_Pixel p{A_u_char(128 + (x + y) % 128), A_u_char(x % 256), A_u_char(y % 256),
                       A_u_char((x ^ y) % 256)};
      const PF_Rect pixel{x, y, x + 1, y + 1};
      layer.Fill(p, &pixel);
    }
  }
  return layer;
}

template <typename Pixel>
void CopyFrame(benchmark::State& state) {
  const host::WorldBuffer input = MakeLayer(kWidth, kHeight, DepthOf<Pixel>());
  host::WorldBuffer output(kWidth, kHeight, DepthOf<Pixel>());
  const auto src = WorldView<const Pixel>(input.world());
  const auto dst = WorldView<Pixel>(output.world());
  for (auto _ : state) {
    for (int32_t y = 0; y < kHeight; ++y) {
      const Pixel* from = src.Row(y);
      Pixel* to = dst.Row(y);
      for (int32_t x = 0; x < kWidth; ++x) to[x] = from[x];
    }
    benchmark::ClobberMemory();
  }
}

// The puzzle of a frame a few moves in, caught half-way through its last move.
struct BenchPuzzle {
  std::vector<TileRect> grid = std::vector<TileRect>(kRows * kColumns);
  std::vector<int32_t> current = std::vector<int32_t>(kRows * kColumns);
  std::vector<int32_t> previous = std::vector<int32_t>(kRows * kColumns);
  int32_t missing = kRows * kColumns - 1;

  BenchPuzzle() {
    BuildTileGrid(kWidth, kHeight, kRows, kColumns, grid.data());
    ResetTileOrder(current.data(), kRows * kColumns);
    ResetTileOrder(previous.data(), kRows * kColumns);
    WalkGap(GapWalkSettings{7, 0, kRows, kColumns, 10, missing}, current.data(), previous.data());
  }
  PuzzleFrame frame(int32_t position) const {
    return PuzzleFrame{grid.data(), current.data(),   previous.data(), kRows,
                       kColumns,    kRows * kColumns, missing,         0.5,
                       position};
  }
};

template <typename Pixel>
void ComposeFrameBench(benchmark::State& state) {
  const BenchPuzzle puzzle;
  const host::WorldBuffer input = MakeLayer(kWidth, kHeight, DepthOf<Pixel>());
  const host::WorldBuffer gap = MakeLayer(kWidth / kColumns, kHeight / kRows, DepthOf<Pixel>());
  host::WorldBuffer output(kWidth, kHeight, DepthOf<Pixel>());
  const ComposeHost no_host{nullptr, [](void*, int32_t, int32_t) -> PF_Err { return 0; },
                            [](void*) -> PF_Err { return 0; }};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComposeFrame<Pixel>(puzzle.frame(1), WorldView<const Pixel>(input.world()),
                                                 WorldView<Pixel>(output.world()),
                                                 WorldView<const Pixel>(gap.world()), no_host, 0));
    benchmark::ClobberMemory();
  }
}

void RngDraws(benchmark::State& state) {
  for (auto _ : state) {
    PuzzleRng rng = MakePuzzleRng(7);
    double sum = 0;
    for (int32_t i = 0; i < kLongestWalk; ++i) sum += next_unit(rng);
    benchmark::DoNotOptimize(sum);
  }
}

void LongestWalk(benchmark::State& state) {
  std::vector<int32_t> current(kRows * kColumns), previous(kRows * kColumns);
  for (auto _ : state) {
    ResetTileOrder(current.data(), kRows * kColumns);
    ResetTileOrder(previous.data(), kRows * kColumns);
    benchmark::DoNotOptimize(
        WalkGap(GapWalkSettings{7, 0, kRows, kColumns, kLongestWalk, kRows * kColumns - 1}, current.data(),
                previous.data()));
  }
}

void SampleGapImage8(benchmark::State& state) {
  host::WorldBuffer layer = MakeLayer(kWidth, kHeight, host::PixelDepth::k8Bit);
  const int32_t tile_width = kWidth / kColumns;
  const int32_t tile_height = kHeight / kRows;
  const GapImagePlan plan = PlanGapImage(kWidth, kHeight, tile_width, tile_height, 0);
  PF_SampPB block{};
  block.x_radius = plan.x_radius;
  block.y_radius = plan.y_radius;
  block.src = &layer.world();
  PF_Pixel out{};
  for (auto _ : state) {
    for (int32_t y = 0; y < tile_height; ++y) {
      for (int32_t x = 0; x < tile_width; ++x) {
        const FixedPoint at = GapSamplePosition(plan, x, y);
        benchmark::DoNotOptimize(host::AreaSample8(at.x, at.y, &block, &out));
      }
    }
  }
}

}  // namespace

BENCHMARK(CopyFrame<PF_Pixel>)->Name("frame8/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeFrameBench<PF_Pixel>)->Name("frame8/compose")->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFrame<PF_Pixel16>)->Name("frame16/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeFrameBench<PF_Pixel16>)->Name("frame16/compose")->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFrame<PF_PixelFloat>)->Name("frameF/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeFrameBench<PF_PixelFloat>)->Name("frameF/compose")->Unit(benchmark::kMillisecond);
BENCHMARK(RngDraws)->Name("walk/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(LongestWalk)->Name("walk/time_100000")->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFrame<PF_Pixel>)->Name("gap_image/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(SampleGapImage8)->Name("gap_image/sample8")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
