// fxhost as a user runs it: the whole program (RunFxhost) with the effect plug-in, small frames.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
#include "fxhost_cli/run_fxhost.h"

namespace fxhost {
namespace {

using testing::TempFolder;

TEST(FxhostCli, BadInputIsOneLineBeforeAnyFileIsWritten) {
  TempFolder folder("bad-input");
  const std::string out = (folder / "f_####.png").string();
  std::ofstream(folder / "in.png") << "not a picture";
  std::ofstream(folder / "bad.json") << "{\"parameters\": [";
  std::ofstream(folder / "params.json") << "{\"parameters\": []}";
  int params_files = 0;
  auto params = [&](const std::string& entry) {
    const std::string name = "p" + std::to_string(++params_files) + ".json";
    std::ofstream(folder / name) << "{\"parameters\": [" << entry << "]}";
    return std::vector<std::string>{"--params", (folder / name).string(), "--output", out};
  };
  const std::string long_name(300, 'y');
  const std::string fifo = (folder / "fifo.json").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
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
      {{"--output", out, "--report", (folder / "in.png" / "r.json").string()}, "is not a folder"},
      // The report is an output: never an input, the plug-in or an output of the run.
      {{"--layer", (folder / "in.png").string(), "--output", out, "--report", (folder / "in.png").string()},
       "--report \"" + (folder / "in.png").string() + "\" would overwrite an input file"},
      {{"--params", (folder / "params.json").string(), "--output", out, "--report",
        (folder / "params.json").string()},
       "would overwrite an input file"},
      {{"--set", "Missing Tile Layer=" + (folder / "in.png").string(), "--output", out, "--report",
        (folder / "." / "in.png").string()},
       "would overwrite an input file"},
      {{"--output", out, "--report", ZELKRA_PLUGIN_CS5_PATH}, "would overwrite an input file"},
      {{"--frames", "0-2", "--output", out, "--report", (folder / "f_0001.png").string()},
       "would overwrite an output of the run"},
      {{"--output", (folder / "f.tif").string(), "--report", (folder / "f.tif").string()},
       "would overwrite an output of the run"},
      // Names longer than the file system takes, refused before rendering.
      {{"--output", (folder / (long_name + ".png")).string()},
       "is 304 bytes, more than the file system takes"},
      {{"--output", (folder / long_name / "f.png").string()}, "is 300 bytes"},
      {{"--output", out, "--report", (folder / (long_name + ".json")).string()}, "--report"},
      // --params: a regular file of numbers in range for their fields.
      {{"--params", fifo, "--output", out}, "is not a regular file"},
      {params(R"({"name": "Time", "keyframes": [{"frame": 4294967297, "value": 1}]})"),
       "\"frame\" 4294967297 is out of range (-2147483648 to 2147483647)"},
      {params(R"({"name": "Time", "keyframes": [{"frame": -1e30, "value": 1}]})"), "is out of range"},
      {params(R"({"index": 4294967302, "value": 1})"), "\"index\" 4294967302 is out of range"},
      {params(R"({"index": -1, "value": 1})"), "\"index\" -1 is out of range"},
      {params(R"({"name": "Row", "value": 4294967302})"), "Row: 4294967302 is outside the valid range"},
      {params(R"({"name": "Time", "value": 1e400})"), "the number 1e400 is out of range"},
      {{"--set", "Time=1@4294967297", "--output", out}, "frame 4294967297 is out of range"},
      // The memory budget: a size that is no size, and a frame that does not fit.
      {{"--max-memory", "lots", "--output", out}, "--max-memory \"lots\""},
      {{"--max-memory", "20K", "--output", out},
       "a frame of 64x36 in 8-bit needs 54.0 KiB, more than the memory budget of 20.0 KiB (--max-memory)"},
      {{"--max-memory", "4K", "--output", out}, "the test card testcard:64x36 needs 9.0 KiB"},
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
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;   // one line
    EXPECT_EQ(run.err.find("\"\""), std::string::npos) << run.err;  // no doubled quotes
    std::vector<std::string> files = folder.Files();
    std::erase_if(files,
                  [](const std::string& name) { return name.starts_with("p") && name != "params.json"; });
    EXPECT_EQ(files, (std::vector<std::string>{"bad.json", "fifo.json", "in.png", "params.json"}));
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

// What a deep render writes in the working space (the test card's sRGB; a float TIFF is otherwise
// linear) reads back as the very pixels the plug-in rendered.
TEST(FxhostCli, DeepFilesHoldTheRenderedPixelsExactly) {
  for (const auto& [depth, name] : {std::pair{"16", "f.png"}, std::pair{"32", "f.tif"}}) {
    TempFolder folder("deep");
    ASSERT_EQ(Render(folder, {"--depth", depth, "--set", "Time=1.5", "--output-space", "sRGB", "--output",
                              (folder / name).string()})
                  .status,
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
  EXPECT_NE(run.err.find("frame 2: FAILED, result PF_Err_"), std::string::npos) << run.err;
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

// Names up to the file system's limit render: temporary names are shortened to fit, and a report's
// folder is made like the outputs'.
TEST(FxhostCli, LongNamesAndNewReportFoldersAreWritten) {
  TempFolder folder("long");
  const std::string name(240, 'y');
  const std::filesystem::path report = folder / "new" / "deeper" / (std::string(250, 'r') + ".json");
  for (const std::string& output : {name + "-####.png", name + "-####.tif", name + ".gif"}) {
    SCOPED_TRACE(output);
    const Outcome run = Fxhost({"render", "--quiet", "--size", "32x18", "--frames", "0-1", "--output",
                                (folder / output).string(), "--report", report.string()});
    if (output.ends_with(".gif") && run.err.find("ffmpeg") != std::string::npos) continue;  // no ffmpeg
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(ReadJson(report)["summary"]["succeeded"], 2);
  }
  std::vector<std::string> files = folder.Files();
  for (const std::string& f : files) EXPECT_FALSE(f.starts_with(".")) << f;  // no temporary left
  EXPECT_GE(files.size(), 5u);  // new/, two frames in each format (and the movie with ffmpeg)
}

// Frames that do not fit the memory budget together render fewer at a time.
TEST(FxhostCli, TheMemoryBudgetLimitsFramesAtOnce) {
  TempFolder folder("budget");
  // A 64x36 8-bit frame takes 36 KiB, the input it shares 18 KiB: 100 KiB hold two frames at once.
  const Outcome run =
      Render(folder, {"--frames", "0-5", "--jobs", "4", "--max-memory", "100K", "--output", "null"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(ReadJson(folder / "report.json")["run"]["jobs"], 2);
  EXPECT_EQ(ReadJson(folder / "report.json")["summary"]["succeeded"], 6);
}

TEST(FxhostCli, InjectedFaultsReachSetUpAndFramesAndAreChecked) {
  const Outcome listed = Fxhost({"faults"});
  EXPECT_EQ(listed.status, kExitOk);
  EXPECT_NE(listed.out.find("host_new_handle"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("OP:N+"), std::string::npos) << listed.out;

  TempFolder folder("faults");
  const std::string output = (folder / "f_####.png").string();
  const Outcome misspelt = Render(folder, {"--inject-fault", "host_new_handel:1", "--output", output});
  EXPECT_EQ(misspelt.status, kExitBadInput);
  EXPECT_NE(misspelt.err.find("\"host_new_handel\" is not a host operation"), std::string::npos)
      << misspelt.err;
  EXPECT_TRUE(folder.Files().empty());

  // Counted from the session's start, the first handle is global set-up's.
  const Outcome setup = Render(folder, {"--inject-fault", "host_new_handle:1", "--output", output});
  EXPECT_EQ(setup.status, kExitFailed);
  EXPECT_NE(setup.err.find("global set-up failed: PF_Err_INTERNAL_STRUCT_DAMAGED (512)"), std::string::npos)
      << setup.err;

  // Counted from the first frame, the second frame's pixel checkout and every later one.
  const Outcome frames = Render(folder, {"--jobs", "1", "--frames", "0-2", "--inject-fault",
                                         "checkout_layer_pixels:2+@render", "--output", output});
  EXPECT_EQ(frames.status, kExitFailed);
  EXPECT_EQ(ReadJson(folder / "report.json")["summary"]["failed_frames"], nlohmann::json::array({1, 2}));
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"f_0000.png", "report.json"}));
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

// A re-run with --skip-existing renders only the frames whose files are missing, and writes them as
// the first run did.
TEST(FxhostCli, SkipExistingRendersOnlyTheMissingFrames) {
  TempFolder folder("skip");
  const std::string out = (folder / "f_####.png").string();
  const std::vector<std::string> args{"--frames", "0-3", "--set", "Time=0@0,3@3", "--output", out};
  ASSERT_EQ(Render(folder, args).status, kExitOk);
  const std::vector<std::string> first = Checksums(folder);
  const std::string frame3 = FileBytes(folder / "f_0003.png");
  std::filesystem::remove(folder / "f_0001.png");
  std::filesystem::remove(folder / "f_0003.png");

  std::vector<std::string> again = args;
  again.push_back("--skip-existing");
  const Outcome run = Render(folder, again);
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const nlohmann::json report = ReadJson(folder / "report.json");
  EXPECT_EQ(report["summary"]["skipped"], 2);
  std::vector<std::string> statuses;
  for (const auto& frame : report["frames"]) statuses.push_back(frame["status"]);
  EXPECT_EQ(statuses, (std::vector<std::string>{"skipped", "rendered", "skipped", "rendered"}));
  EXPECT_EQ(report["frames"][1]["checksum"], first[1]);
  EXPECT_EQ(report["frames"][3]["checksum"], first[3]);
  EXPECT_EQ(report["summary"]["skipped"], 2);
  EXPECT_EQ(FileBytes(folder / "f_0003.png"), frame3);

  // Everything there: nothing rendered, still a success. A movie or null output cannot be resumed.
  EXPECT_EQ(Render(folder, again).status, kExitOk);
  EXPECT_EQ(ReadJson(folder / "report.json")["summary"]["skipped"], 4);
  const Outcome movie = Render(folder, {"--skip-existing", "--output", (folder / "m.gif").string()});
  EXPECT_EQ(movie.status, kExitBadInput);
  EXPECT_NE(movie.err.find("--skip-existing needs image files"), std::string::npos) << movie.err;
}

// A shot rendered as three shares (one interleaved run of two) merges into the one-process render.
TEST(FxhostCli, SharesOfAShotMergeIntoTheWholeRender) {
  TempFolder whole("whole"), shares("shares");
  const std::vector<std::string> shot{"--frames", "0-9", "--set", "Time=0@0,5@9", "--output", "null"};
  ASSERT_EQ(Render(whole, shot).status, kExitOk);

  auto share = [&](const std::string& name, std::vector<std::string> extra) {
    std::vector<std::string> args{"render", "--quiet",  "--size",
                                  "64x36",  "--report", (shares / name).string()};
    args.insert(args.end(), shot.begin(), shot.end());
    args.insert(args.end(), extra.begin(), extra.end());
    return Fxhost(args).status;
  };
  ASSERT_EQ(share("a.json", {"--share", "0/2"}), kExitOk);
  ASSERT_EQ(share("b.json", {"--share", "0/2", "--interleave"}), kExitOk);  // 0,2,4,6,8 again
  ASSERT_EQ(share("c.json", {"--share", "1/2", "--interleave"}), kExitOk);  // 1,3,5,7,9
  const std::string a = (shares / "a.json").string(), b = (shares / "b.json").string(),
                    c = (shares / "c.json").string(), merged = (shares / "merged.json").string();
  EXPECT_EQ(ReadJson(a)["frames"].size(), 5u);

  const Outcome merge = Fxhost({"report", "merge", a, b, c, "--frames", "0-9", "--output", merged});
  EXPECT_EQ(merge.status, kExitOk) << merge.out << merge.err;
  EXPECT_EQ(merge.out,
            "10 frames: 10 rendered, 0 skipped, 0 unreported, 0 failed, 0 missing (from 3 reports)\nshot "
            "complete\n");
  const nlohmann::json merged_report = ReadJson(merged);
  std::vector<std::string> lines;
  for (const auto& frame : merged_report["frames"]) lines.push_back(frame["checksum"]);
  EXPECT_EQ(lines, Checksums(whole));

  // Frames no report has: the merge names them and fails.
  const Outcome incomplete = Fxhost({"report", "merge", a, "--frames", "0-11"});
  EXPECT_EQ(incomplete.status, kExitFailed);
  EXPECT_NE(incomplete.out.find("\nmissing: 5-11\n"), std::string::npos) << incomplete.out;
  EXPECT_EQ(Fxhost({"report", "merge", a, "--frames", "0-x"}).status, kExitBadInput);

  // More tasks than frames: a task with none renders nothing and succeeds.
  const Outcome none = Fxhost({"render", "--frames", "0-1", "--share", "2/3", "--output", "null", "--report",
                               (shares / "none.json").string()});
  EXPECT_EQ(none.status, kExitOk) << none.err;
  EXPECT_TRUE(ReadJson(shares / "none.json")["frames"].empty());
  EXPECT_EQ(Fxhost({"render", "--share", "3/3", "--output", "null"}).status, kExitBadInput);
}

}  // namespace
}  // namespace fxhost
