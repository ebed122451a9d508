// fxhost stopped by SIGINT or SIGTERM in the middle of a run, as a terminal or a scheduler stops it:
// no new frame starts, no temporary file or folder is left, the report lists the frames done, and the
// exit status is 128 + the signal.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "fxhost/effect_params.h"
#include "fxhost/files/program.h"
#include "fxhost_cli/child_process.h"

namespace fxhost {
namespace {

using testing::ChildProcess;
using testing::TempFolder;

// Entries of `folder` whose name starts with `prefix`, and the files in the first such folder.
std::size_t CountNamed(const std::filesystem::path& folder, const std::string& prefix) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(prefix)) ++count;
  }
  return count;
}
std::size_t FilesInHiddenFolder(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_directory() && entry.path().filename().string().starts_with(".")) {
      return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(entry.path()), {}));
    }
  }
  return 0;
}

// Waits (up to two minutes, for slow sanitizer builds) until `ready` or the child has ended.
template <typename Ready>
bool WaitUntil(Ready ready) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  while (std::chrono::steady_clock::now() < deadline) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

struct StopCase {
  int signal;
  int exit_status;
  const char* name;
};

void PrintTo(const StopCase& c, std::ostream* os) {
  *os << c.name;
}

class FxhostStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(FxhostStop, FramesStopCleanlyWithTheReportOfTheFramesDone) {
  const StopCase& c = GetParam();
  TempFolder folder("stop-frames");
  const std::filesystem::path out = folder / "out";
  ChildProcess fxhost(
      ZELKRA_FXHOST_PATH,
      {"render", "--quiet", "--size", "320x180", "--jobs", "2", "--frames", "0-9999", "--output",
       (out / "f_#####.png").string(), "--report", (folder / "report.json").string()},
      folder / "stderr.txt");
  ASSERT_TRUE(fxhost.started());
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(out) && CountNamed(out, "f_") >= 2; }));
  fxhost.Signal(c.signal);
  EXPECT_EQ(fxhost.Wait(), c.exit_status) << fxhost.Output();

  const std::size_t written = CountNamed(out, "f_");
  EXPECT_EQ(CountNamed(out, "."), 0u);  // no temporary file
  EXPECT_LT(written, 10000u);
  EXPECT_NE(fxhost.Output().find(std::string("stopped by ") + c.name), std::string::npos) << fxhost.Output();
  std::ifstream in(folder / "report.json");
  const nlohmann::json report = nlohmann::json::parse(in);
  EXPECT_EQ(report["summary"]["stopped_by"], c.name);
  EXPECT_EQ(report["summary"]["frames"], written);
  EXPECT_EQ(report["summary"]["failed"], 0);
  for (const auto& frame : report["frames"])
    EXPECT_TRUE(std::filesystem::exists(frame["output"].get<std::string>()));
}

TEST_P(FxhostStop, AMovieStoppedLeavesNoFramesAndNoMovie) {
  if (!FindProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  const StopCase& c = GetParam();
  TempFolder folder("stop-movie");
  ChildProcess fxhost(
      ZELKRA_FXHOST_PATH,
      {"render", "--quiet", "--size", "160x90", "--jobs", "2", "--frames", "0-9999", "--output",
       (folder / "m.gif").string(), "--report", (folder / "report.json").string()},
      folder / "stderr.txt");
  ASSERT_TRUE(fxhost.started());
  ASSERT_TRUE(WaitUntil([&] { return FilesInHiddenFolder(folder.path()) >= 2; }));
  fxhost.Signal(c.signal);
  EXPECT_EQ(fxhost.Wait(), c.exit_status) << fxhost.Output();
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"report.json", "stderr.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Signals, FxhostStop,
                         ::testing::Values(StopCase{SIGINT, 130, "SIGINT"},
                                           StopCase{SIGTERM, 143, "SIGTERM"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fxhost
