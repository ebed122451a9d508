// fxhost as a user runs it: the whole program (RunFxhost) with the effect plug-in, small frames.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "fxhost/cli/help_text.h"
#include "fxhost/commands/commands.h"
#include "fxhost/effect_params.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/program.h"
#include "fxhost/frames/frame_checksum.h"

namespace fxhost {
namespace {

using testing::TempFolder;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome Fxhost(std::vector<std::string> args) {
  args.insert(args.begin(), "fxhost");
  if (args.size() > 1 && (args[1] == "render" || args[1] == "info"))
    args.insert(args.begin() + 2, {"--plugin", ZELKRA_PLUGIN_CS5_PATH});
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  Outcome run;
  run.status = RunFxhost(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A render into `folder` with a report; the arguments after "render".
Outcome Render(const TempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(),
              {"render", "--quiet", "--size", "64x36", "--report", (folder / "report.json").string()});
  return Fxhost(args);
}

nlohmann::json ReadJson(const std::filesystem::path& path) {
  std::ifstream in(path);
  return nlohmann::json::parse(in);
}

std::vector<std::string> Checksums(const TempFolder& folder) {
  std::vector<std::string> lines;
  const nlohmann::json report = ReadJson(folder / "report.json");
  for (const auto& frame : report["frames"]) lines.push_back(frame["checksum"]);
  return lines;
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(FxhostCli, BadInputIsOneLineBeforeAnyFileIsWritten) {
  TempFolder folder("bad-input");
  const std::string out = (folder / "f_####.png").string();
  std::ofstream(folder / "in.png") << "not a picture";
  std::ofstream(folder / "bad.json") << "{\"parameters\": [";
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases{
      {{"--set", "Tilt=3", "--output", out}, "unknown parameter \"Tilt\""},
      {{"--set", "Row=many", "--output", out}, "Row: \"many\" is not a number"},
      {{"--set", "Return=maybe", "--output", out}, "Return"},
      {{"--set", "Row=1", "--output", out}, "outside the valid range"},
      {{"--frames", "3-y", "--output", out}, "\"y\" is not a frame number"},
      {{"--layer", (folder / "missing.png").string(), "--output", out}, "missing.png\" does not exist"},
      {{"--layer", (folder / "in.png").string(), "--output", out}, "in.png"},
      {{"--set", "Missing Tile Layer=" + (folder / "gap.png").string(), "--output", out},
       "Missing Tile Layer"},
      {{"--output", (folder / "in.png" / "f_####.png").string()}, "is not a folder"},
      {{"--output", (folder / "in.png").string(), "--layer", (folder / "in.png").string()},
       "overwrite an input"},
      {{"--output", (folder / "f.bmp").string()}, "unknown extension"},
      {{"--frames", "0-3", "--output", (folder / "f.png").string()}, "frame"},
      {{"--params", (folder / "bad.json").string(), "--output", out}, "bad.json"},
      {{"--depth", "12", "--output", out}, "--depth"},
      {{"--fps", "-1", "--output", out}, "--fps"},
      {{"--output", out, "--report", (folder / "in.png" / "r.json").string()}, "--report"},
      {{"--bogus", "--output", out}, "unknown option --bogus (fxhost render --help for usage)"},
      {{"--ouput", out}, "unknown option --ouput; did you mean --output? (fxhost render --help for usage)"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"render", "--quiet", "--size", "64x36"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome run = Fxhost(args);
    SCOPED_TRACE(c.message);
    EXPECT_EQ(run.status, kExitBadInput);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // one line
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"bad.json", "in.png"}));
  }
  EXPECT_EQ(Fxhost({"render"}).status, kExitBadInput);  // no --output
  const Outcome no_command = Fxhost({"frobnicate"});
  EXPECT_EQ(no_command.status, kExitBadInput);
  EXPECT_EQ(no_command.err, "fxhost: unknown command \"frobnicate\" (fxhost --help for usage)\n");
  EXPECT_EQ(Fxhost({"info", "--plugin", "/no/such/plugin.so"}).status, kExitBadInput);
  EXPECT_NE(Fxhost({"info", "--bogus"}).err.find("(fxhost info --help for usage)"), std::string::npos);
}

TEST(FxhostCli, VersionAndRenderHelpWithExamples) {
  const Outcome version = Fxhost({"--version"});
  EXPECT_EQ(version.status, kExitOk);
  EXPECT_EQ(version.out, "fxhost " ZELKRA_PROJECT_VERSION "\n");

  const Outcome help = Fxhost({"render", "--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("-o,--output"), std::string::npos) << help.out;
  // It ends with the three examples, the last command line last.
  const std::size_t examples = help.out.rfind("Examples:\n");
  ASSERT_NE(examples, std::string::npos) << help.out;
  std::size_t command_lines = 0;
  for (std::size_t at = help.out.find("\n  fxhost render ", examples); at != std::string::npos;
       at = help.out.find("\n  fxhost render ", at + 1))
    ++command_lines;
  EXPECT_EQ(command_lines, 3u) << help.out;
  EXPECT_TRUE(help.out.ends_with(std::string(RenderExamples().back().command_line) + "\n")) << help.out;
}

// Every file a run writes gets its missing folder made: image frames, a movie, the report.
TEST(FxhostCli, MissingFoldersOfEveryOutputAreMade) {
  TempFolder folder("folders");
  std::vector<std::string> outputs{"frames/a/f_####.png"};
  if (FindProgram("ffmpeg")) outputs.push_back("movie/a/m.gif");
  for (const std::string& output : outputs) {
    const std::filesystem::path report = folder / "reports" / output.substr(0, output.find('/')) / "r.json";
    const Outcome run = Fxhost({"render", "--quiet", "--size", "32x18", "--frames", "0-1", "-o",
                                (folder / output).string(), "--report", report.string()});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(report)) << report;
  }
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "frames" / "a" / "f_0001.png"));
  if (outputs.size() > 1) {
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "movie" / "a" / "m.gif"));
  }
}

// Keyframes are evaluated per frame: each frame of an animated render is the single-frame render of
// its values, also at a frame rate whose seconds do not come out even.
TEST(FxhostCli, KeyframedFramesEqualSingleFramesOfTheirValues) {
  TempFolder animated("animated");
  ASSERT_EQ(Render(animated, {"--fps", "29.97", "--frames", "0-4", "--set", "Time=0@0,2@4", "--set",
                              "Missing Tile=0@0,100@4", "--output", "null"})
                .status,
            kExitOk);
  const std::vector<std::string> lines = Checksums(animated);
  ASSERT_EQ(lines.size(), 5u);
  const std::vector<std::string> time{"0", "0.5", "1", "1.5", "2"};
  const std::vector<std::string> missing{"0", "25", "50", "75", "100"};
  for (int frame = 0; frame < 5; ++frame) {
    TempFolder single("single");
    ASSERT_EQ(
        Render(single, {"--fps", "29.97", "--frame", std::to_string(frame), "--set", "Time=" + time[frame],
                        "--set", "Missing Tile=" + missing[frame], "--output", "null"})
            .status,
        kExitOk);
    EXPECT_EQ(Checksums(single), std::vector<std::string>{lines[frame]});
  }
  EXPECT_NE(lines[1].substr(lines[1].find("0x")), lines[2].substr(lines[2].find("0x")));  // it moves
}

TEST(FxhostCli, ParallelAndSerialRendersWriteTheSameFiles) {
  TempFolder serial("serial"), parallel("parallel");
  const std::vector<std::string> common{"--frames", "0-5",
                                        "--set",    "Time=0@0,5@5",
                                        "--set",    "Row=4",
                                        "--set",    "Missing Tile Layer=testcard:40x30",
                                        "--set",    "Position=Behind"};
  auto args = [&](const TempFolder& folder, const char* jobs) {
    std::vector<std::string> a = common;
    a.insert(a.end(), {"--jobs", jobs, "--output", (folder / "f_####.png").string()});
    return a;
  };
  ASSERT_EQ(Render(serial, args(serial, "1")).status, kExitOk);
  ASSERT_EQ(Render(parallel, args(parallel, "2")).status, kExitOk);
  EXPECT_EQ(Checksums(serial), Checksums(parallel));
  for (int frame = 0; frame <= 5; ++frame) {
    const std::string name = "f_000" + std::to_string(frame) + ".png";
    EXPECT_EQ(FileBytes(serial / name), FileBytes(parallel / name)) << name;
  }
  const nlohmann::json summary = ReadJson(parallel / "report.json")["summary"];
  EXPECT_EQ(summary["succeeded"], 6);
  EXPECT_TRUE(summary["held_at_end"].empty()) << summary.dump();
}

// What a deep render writes reads back as the very pixels the plug-in rendered.
TEST(FxhostCli, DeepFilesHoldTheRenderedPixelsExactly) {
  for (const auto& [depth, name] : {std::pair{"16", "f.png"}, std::pair{"32", "f.tif"}}) {
    TempFolder folder("deep");
    ASSERT_EQ(
        Render(folder, {"--depth", depth, "--set", "Time=1.5", "--output", (folder / name).string()}).status,
        kExitOk);
    const Image image = ReadImageFile(folder / name);
    EXPECT_EQ(FrameChecksumLine(0, image), Checksums(folder).at(0)) << name;
  }
}

TEST(FxhostCli, AFailedFrameFailsTheRunAndLeavesNoFile) {
  TempFolder folder("fault");
  // The third frame's pixel checkout fails (one per frame, in order with one job).
  const Outcome run =
      Render(folder, {"--jobs", "1", "--frames", "0-3", "--inject-fault", "checkout_layer_pixels:3",
                      "--output", (folder / "f_####.png").string()});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_NE(run.err.find("frame 2: FAILED, result"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("fxhost: 4 frames: 3 done, 0 skipped, 1 failed; "), std::string::npos) << run.err;
  EXPECT_EQ(folder.Files(),
            (std::vector<std::string>{"f_0000.png", "f_0001.png", "f_0003.png", "report.json"}));
  const nlohmann::json report = ReadJson(folder / "report.json");
  EXPECT_EQ(report["summary"]["failed_frames"], nlohmann::json::array({2}));
  EXPECT_NE(report["frames"][2]["result"], 0);

  // A failed movie frame means no movie at all.
  TempFolder movie("fault-movie");
  EXPECT_EQ(Render(movie, {"--jobs", "1", "--frames", "0-1", "--inject-fault", "checkout_layer_pixels:2",
                           "--output", (movie / "m.gif").string()})
                .status,
            kExitFailed);
  EXPECT_EQ(movie.Files(), std::vector<std::string>{"report.json"});
}

// Every run ends with a summary line (with --quiet only when a frame failed). A frame's time includes
// reading and writing, so it is never below the plug-in's own time beside it.
TEST(FxhostCli, SummaryLineAndWholeFrameTimes) {
  TempFolder folder("summary");
  const std::vector<std::string> args{"render",
                                      "--size",
                                      "32x18",
                                      "--frames",
                                      "0-2",
                                      "--report",
                                      (folder / "report.json").string(),
                                      "-o",
                                      (folder / "f_#.png").string()};
  const Outcome run = Fxhost(args);
  ASSERT_EQ(run.status, kExitOk) << run.err;
  ASSERT_TRUE(run.err.ends_with(" fps\n")) << run.err;
  const std::string last = run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1);
  EXPECT_TRUE(last.starts_with("fxhost: 3 frames: 3 done, 0 skipped, 0 failed; ")) << run.err;
  const nlohmann::json report = ReadJson(folder / "report.json");
  for (const auto& frame : report["frames"]) {
    EXPECT_GT(frame["seconds"].get<double>(), 0) << frame.dump();
    EXPECT_GE(frame["seconds"].get<double>(), frame["render_seconds"].get<double>()) << frame.dump();
  }

  std::vector<std::string> quiet = args;
  quiet.insert(quiet.begin() + 1, "--quiet");
  EXPECT_EQ(Fxhost(quiet).err, "");
}

// "none" clears a layer parameter, after a --params file or an earlier --set gave it a layer.
TEST(FxhostCli, NoneClearsALayerParameter) {
  TempFolder plain("plain"), cleared("cleared"), layered("layered");
  std::ofstream(layered / "p.json")
      << R"({"parameters": [{"name": "Missing Tile Layer", "value": "testcard:40x30"}]})";
  const std::string params = (layered / "p.json").string();
  ASSERT_EQ(Render(plain, {"--set", "Time=1.5", "--output", "null"}).status, kExitOk);
  ASSERT_EQ(Render(layered, {"--params", params, "--set", "Time=1.5", "--output", "null"}).status, kExitOk);
  ASSERT_EQ(Render(cleared, {"--params", params, "--set", "Time=1.5", "--set", "Missing Tile Layer=none",
                             "--output", "null"})
                .status,
            kExitOk);
  EXPECT_NE(Checksums(layered), Checksums(plain));
  EXPECT_EQ(Checksums(cleared), Checksums(plain));
}

TEST(FxhostCli, InfoJsonIsAParamsFileAndShowsVisibility) {
  TempFolder folder("info");
  const Outcome info = Fxhost({"info", "--json", "--set", "Row=5", "--set", "Time=0@0,4@3", "--set",
                               "Missing Tile Layer=testcard:32x18"});
  ASSERT_EQ(info.status, kExitOk) << info.err;
  const nlohmann::json json = nlohmann::json::parse(info.out);
  EXPECT_EQ(json["descriptor"]["name"], "Zelkra15puzzle");
  for (const auto& p : json["parameters"]) EXPECT_FALSE(p["hidden"].get<bool>()) << p["name"];
  std::ofstream(folder / "params.json") << info.out;

  TempFolder from_file("from-file"), from_sets("from-sets");
  ASSERT_EQ(Render(from_file,
                   {"--frames", "0-3", "--params", (folder / "params.json").string(), "--output", "null"})
                .status,
            kExitOk);
  ASSERT_EQ(Render(from_sets, {"--frames", "0-3", "--set", "Row=5", "--set", "Time=0@0,4@3", "--set",
                               "Missing Tile Layer=testcard:32x18", "--output", "null"})
                .status,
            kExitOk);
  EXPECT_EQ(Checksums(from_file), Checksums(from_sets));

  // Without a Missing Tile Layer the plug-in hides Position and Fit.
  const nlohmann::json plain = nlohmann::json::parse(Fxhost({"info", "--json"}).out);
  std::vector<std::string> hidden;
  for (const auto& p : plain["parameters"]) {
    if (p["hidden"].get<bool>()) hidden.push_back(p["name"]);
  }
  EXPECT_EQ(hidden, (std::vector<std::string>{"Position", "Fit"}));
}

}  // namespace
}  // namespace fxhost
