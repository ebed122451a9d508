// What a render runs on besides the plug-in: the worker pool, progress, the report and movies.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "effect_params.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/files/movie_writer.h"
#include "fxhost/files/program.h"
#include "fxhost/files/test_card.h"
#include "fxhost/frames/progress.h"
#include "fxhost/frames/report.h"
#include "fxhost/frames/run_summary.h"
#include "fxhost/frames/worker_pool.h"

namespace fxhost {
namespace {

TEST(WorkerPool, ResultsInItemOrderWhateverTheThreads) {
  for (int jobs : {1, 2, 7}) {
    std::vector<int> results(50, -1);
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    RunParallel(results.size(), jobs, [&](std::size_t i) {
      const int now = ++running;
      most = std::max(most.load(), now);
      std::this_thread::sleep_for(std::chrono::microseconds((i * 37) % 200));
      results[i] = static_cast<int>(i * i);
      --running;
    });
    for (std::size_t i = 0; i < results.size(); ++i) ASSERT_EQ(results[i], static_cast<int>(i * i)) << jobs;
    EXPECT_LE(most.load(), jobs);
  }
  EXPECT_GE(DefaultJobs(), 1);
}

TEST(WorkerPool, AFailingTaskStopsNewWorkAndIsRethrown) {
  std::atomic<int> started{0};
  try {
    RunParallel(1000, 3, [&](std::size_t i) {
      ++started;
      if (i == 5) throw std::runtime_error("frame 5");
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    ADD_FAILURE() << "the failure was lost";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "frame 5");
  }
  EXPECT_LT(started.load(), 500);  // 1000 tasks of 1 ms on 3 threads would take over 300 ms
}

TEST(Progress, OnePlainLinePerFrameOrFailuresOnly) {
  FrameResult ok{3, true, 0, "", 0.25, "3, 8, 4x4, 0x00000001", "out/f_0003.png", {}, 0.3125};
  FrameResult failed{4, false, 512, "Memory Error!", 0.1, "", "", {}};
  std::ostringstream lines;
  Progress plain(2, ProgressMode::kLines, lines);
  plain.FrameDone(ok);
  plain.FrameDone(failed);
  plain.Finish();
  EXPECT_EQ(lines.str(),
            "frame 3: ok, 0.312 s (render 0.250 s), out/f_0003.png\nframe 4: FAILED, result "
            "PF_Err_INTERNAL_STRUCT_DAMAGED (512), Memory Error!\n");

  std::ostringstream quiet;
  Progress q(2, ProgressMode::kQuiet, quiet);
  q.FrameDone(ok);
  q.FrameDone(failed);
  EXPECT_EQ(quiet.str(), "frame 4: FAILED, result PF_Err_INTERNAL_STRUCT_DAMAGED (512), Memory Error!\n");

  EXPECT_EQ(ProgressLine(12, 24, 4.0), "frames 12/24  3.0 fps  0:04 left");
  EXPECT_EQ(ProgressLine(1, 24, 0.0), "frames 1/24  0.0 fps");  // no time measured yet: no estimate
  EXPECT_EQ(ProgressLine(24, 24, 4.0), "frames 24/24  6.0 fps");
  EXPECT_EQ(FormatDuration(3723), "1:02:03");
}

TEST(Progress, SummaryLineCountsDoneSkippedAndFailed) {
  std::vector<FrameResult> frames(6);
  for (int i : {0, 1, 2, 3}) frames[i].succeeded = true;
  frames[3].skipped = true;  // its output was there
  EXPECT_EQ(CountFrames(frames), (RunCounts{3, 1, 2}));
  // Frames per second over the frames rendered (done and failed), not the skipped ones.
  EXPECT_EQ(SummaryLine(frames, 2.0), "fxhost: 6 frames: 3 done, 1 skipped, 2 failed; 2.00 s, 2.5 fps");
  EXPECT_EQ(SummaryLine(frames, 3723), "fxhost: 6 frames: 3 done, 1 skipped, 2 failed; 1:02:03, 0.0 fps");
  EXPECT_EQ(SummaryLine({}, 0), "fxhost: 0 frames: 0 done, 0 skipped, 0 failed; 0.00 s, 0.0 fps");
}

TEST(Report, FramesAndSummary) {
  const std::vector<FrameResult> frames = {
      {0, true, 0, "", 0.5, "0, 8, 4x4, 0x0000abcd", "f_0.png", {}, 0.75},
      {1, false, 512, "Memory Error!", 0.25, "", "", {{"handles", 2}}},
  };
  const RunInfo run{"p.so", {"fxhost", "render"}, 8, 4, 4, 24, 2, "f_#.png", ""};
  const nlohmann::json report = ReportJson(run, frames, 2.0, {{"handles", 1}});
  EXPECT_EQ(report["frames"][1]["result"], 512);
  EXPECT_EQ(report["frames"][1]["held"]["handles"], 2);
  EXPECT_EQ(report["frames"][0]["checksum"], "0, 8, 4x4, 0x0000abcd");
  EXPECT_EQ(report["frames"][0]["seconds"], 0.75);
  EXPECT_EQ(report["frames"][0]["render_seconds"], 0.5);
  EXPECT_EQ(report["summary"]["failed"], 1);
  EXPECT_EQ(report["summary"]["failed_frames"], nlohmann::json::array({1}));
  EXPECT_EQ(report["summary"]["frames_per_second"], 1.0);
  EXPECT_EQ(report["summary"]["held_at_end"]["handles"], 1);
  EXPECT_EQ(ChecksumListing(frames),
            "#frame, depth, size, crc32 (alpha, red, green, blue; little-endian)\n"
            "0, 8, 4x4, 0x0000abcd\n");
}

// A stop asked while another program runs (ffmpeg making a movie) ends that program instead of waiting.
TEST(Program, AStopEndsTheProgramItWaitsFor) {
  const auto sleep = FindProgram("sleep");
  if (!sleep) GTEST_SKIP() << "no sleep program";
  static std::atomic<int> asked{0};
  EXPECT_EQ(RunProgram({sleep->string(), "600"}, [] { return ++asked > 3; }), -1);
  EXPECT_EQ(RunProgram({sleep->string(), "0"}, [] { return false; }), 0);
}

TEST(Movie, NeedsFfmpegAndLeavesOnlyTheMovie) {
  const testing::TempFolder folder("movie");
  const OutputSpec spec = ParseOutputSpec((folder / "demo.gif").string(), 3);
  EXPECT_FALSE(FindProgram("ffmpeg", "").has_value());
  const char* path = std::getenv("PATH");
  const std::string saved = path ? path : "";
  setenv("PATH", "", 1);
  try {
    MovieWriter writer(spec, 24);
    ADD_FAILURE() << "a movie without ffmpeg";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("ffmpeg program, which is not installed"), std::string::npos);
  }
  setenv("PATH", saved.c_str(), 1);

#if ZELKRA_IMAGE_FILES
  if (!FindProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  {
    MovieWriter writer(spec, 12);
    RunParallel(3, 2, [&](std::size_t i) { writer.WriteFrame(i, MakeTestCard({64, 36}, Depth::k8)); });
    writer.Finish(3);
  }
  EXPECT_EQ(folder.Files(), std::vector<std::string>{"demo.gif"});
  EXPECT_GT(std::filesystem::file_size(folder / "demo.gif"), 100u);
#endif
}

}  // namespace
}  // namespace fxhost
