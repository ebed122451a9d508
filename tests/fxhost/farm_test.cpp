// Farm rendering's pieces: a task's share of the frames, the report kept while a render runs, and the
// merge of a shot's reports.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "effect_params.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/frames/frame_share.h"
#include "fxhost/frames/report.h"
#include "fxhost/frames/report_merge.h"
#include "fxhost/frames/report_writer.h"

namespace fxhost {
namespace {

using Frames = std::vector<int>;

TEST(FrameShare, ChunksAndInterleavedShares) {
  const Frames ten{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  struct Case {
    Frames frames;
    int count;
    bool interleave;
    std::vector<Frames> shares;
  };
  const std::vector<Case> cases{
      {ten, 4, false, {{0, 1, 2}, {3, 4, 5}, {6, 7}, {8, 9}}},
      {ten, 4, true, {{0, 4, 8}, {1, 5, 9}, {2, 6}, {3, 7}}},
      {ten, 1, false, {ten}},
      {{10, 20}, 3, false, {{10}, {20}, {}}},  // more tasks than frames: one has none
      {{-4, -2, 7}, 2, true, {{-4, 7}, {-2}}},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < c.count; ++i)
      EXPECT_EQ(ShareOfFrames(c.frames, {i, c.count}, c.interleave), c.shares[static_cast<std::size_t>(i)])
          << i << "/" << c.count << (c.interleave ? " interleaved" : "");
  }
  // Every frame in exactly one share, whatever the counts.
  Frames many(97);
  for (int f = 0; f < 97; ++f) many[static_cast<std::size_t>(f)] = 3 * f;
  for (int count : {2, 7, 96, 97, 150}) {
    for (bool interleave : {false, true}) {
      std::multiset<int> seen;
      for (int i = 0; i < count; ++i) {
        for (int f : ShareOfFrames(many, {i, count}, interleave)) seen.insert(f);
      }
      EXPECT_EQ(seen, std::multiset<int>(many.begin(), many.end())) << count << " " << interleave;
    }
  }
}

TEST(FrameShare, MalformedSharesAreRefused) {
  EXPECT_EQ(ParseFrameShare("3/4").index, 3);
  EXPECT_EQ(ParseFrameShare("3/4").count, 4);
  for (const char* bad : {"4/4", "-1/4", "1/0", "a/b", "1", "", "1/2/3", "1/ 2"})
    EXPECT_THROW(ParseFrameShare(bad), InputError) << bad;
}

// A render's report of `frames`, each "rendered" (checksum "c<frame>"), "failed" or "skipped".
NamedReport Report(const std::string& name, const std::vector<std::pair<int, std::string>>& frames,
                   int width = 64) {
  std::vector<FrameResult> results;
  for (const auto& [frame, status] : frames) {
    FrameResult r;
    r.frame = frame;
    r.succeeded = status != "failed";
    r.skipped = status == "skipped";
    if (status == "rendered") r.checksum = "c" + std::to_string(frame);
    results.push_back(r);
  }
  const RunInfo run{"p.so", {"fxhost", "render"}, 8, width, 36, 24, 1, "f_####.png", ""};
  return {name, ReportJson(run, results, 1.0, {})};
}

// The merged frames as "FRAME STATUS CHECKSUM REPORT".
std::vector<std::string> MergedFrames(const nlohmann::json& merged) {
  std::vector<std::string> lines;
  for (const auto& f : merged["frames"]) {
    lines.push_back(std::to_string(f["frame"].get<int>()) + " " + f["status"].get<std::string>() + " " +
                    f.value("checksum", "") + " " + f.value("report", ""));
  }
  return lines;
}

TEST(ReportMerge, LaterReportsWinButASkipKeepsWhatWasRendered) {
  const std::vector<NamedReport> reports{
      Report("a.json", {{0, "rendered"}, {1, "rendered"}, {2, "failed"}}),
      Report("empty.json", {}, 0),  // a task with no frames: its size is not compared
      Report("b.json", {{1, "skipped"}, {2, "rendered"}, {3, "skipped"}, {9, "rendered"}}),
  };
  // Frame 5's file is there although no report names it (its task was killed before reporting it).
  const auto existing = [](const nlohmann::json&, int frame) { return frame == 5 ? "f_0005.png" : ""; };
  const nlohmann::json merged = MergeReports(reports, Frames{0, 1, 2, 3, 4, 5, 7}, existing);
  EXPECT_EQ(MergedFrames(merged),
            (std::vector<std::string>{"0 rendered c0 a.json", "1 rendered c1 a.json", "2 rendered c2 b.json",
                                      "3 skipped  b.json", "4 missing  ", "5 unreported  ", "7 missing  "}));
  const nlohmann::json& s = merged["summary"];
  EXPECT_EQ(s["missing_frames"], nlohmann::json({4, 7}));
  EXPECT_EQ(s["unverified_frames"], nlohmann::json({3, 5}));
  EXPECT_FALSE(s["complete"].get<bool>());
  EXPECT_EQ(MergeSummaryText(merged),
            "7 frames: 3 rendered, 1 skipped, 1 unreported, 0 failed, 2 missing (from 3 reports)\n"
            "missing: 4,7\n"
            "there but rendered in no report (no checksum): 3,5\n"
            "shot INCOMPLETE\n");

  // A failure in the newest report is the frame's state; without --frames the shot is what they name.
  const nlohmann::json failed = MergeReports(
      std::vector<NamedReport>{Report("a.json", {{0, "rendered"}}), Report("b.json", {{0, "failed"}})},
      std::nullopt);
  EXPECT_EQ(failed["summary"]["failed_frames"], nlohmann::json({0}));
  EXPECT_FALSE(failed["summary"]["complete"].get<bool>());

  // A merged report merges again like the reports it came from.
  const std::vector<NamedReport> again{{"merged.json", merged}, Report("c.json", {{4, "rendered"}})};
  EXPECT_EQ(MergeReports(again, Frames{0, 1, 2, 3, 4})["summary"]["complete"], true);
}

TEST(ReportMerge, ReportsOfDifferentRendersOrNoReportsAreRefused) {
  const std::vector<NamedReport> mixed{Report("a.json", {{0, "rendered"}}),
                                       Report("b.json", {{1, "rendered"}}, 128)};
  try {
    MergeReports(mixed, std::nullopt);
    FAIL() << "mixed renders merged";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "reports of different renders: width is 64 in \"a.json\" but 128 in \"b.json\"");
  }

  const testing::TempFolder folder("merge-input");
  const std::vector<std::pair<std::string, std::string>> files{
      {"text.json", "not json"},
      {"other.json", "{\"parameters\": []}"},
      {"frame.json", R"({"fxhost_report": 1, "run": {}, "frames": [{"frame": "7", "succeeded": true}]})"},
      {"huge.json",
       R"({"fxhost_report": 1, "run": {}, "frames": [{"frame": 4294967297, "succeeded": true}]})"},
  };
  for (const auto& [name, text] : files) {
    std::ofstream(folder / name) << text;
    EXPECT_THROW(ReadReportFile((folder / name).string()), InputError) << name;
  }
  EXPECT_THROW(ReadReportFile((folder / "absent.json").string()), InputError);
  EXPECT_EQ(CompactFrameList(Frames{-2, -1, 0, 3, 5, 6}), "-2-0,3,5-6");
}

// A run killed part-way leaves the report of the frames it finished.
TEST(ReportWriter, KeepsAPartialReportOfTheFramesDone) {
  const testing::TempFolder folder("report-writer");
  const RunInfo run{"p.so", {"fxhost", "render"}, 8, 4, 4, 24, 2, "f_####.png", ""};
  ReportWriter writer(folder / "r.json", run, 3);
  FrameResult done{7, true, 0, "", 0.1, "7, 8, 4x4, 0x00000001", "f_0007.png", {}};
  writer.FrameDone(2, done);
  std::ifstream in(folder / "r.json");
  const nlohmann::json report = nlohmann::json::parse(in);
  EXPECT_TRUE(report["partial"].get<bool>());
  ASSERT_EQ(report["frames"].size(), 1u);
  EXPECT_EQ(report["frames"][0]["checksum"], done.checksum);
  EXPECT_EQ(report["frames"][0]["status"], "rendered");
}

}  // namespace
}  // namespace fxhost
