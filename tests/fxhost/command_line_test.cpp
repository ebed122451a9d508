// The command line as a user types it: every kind of bad input ends in one line naming the problem,
// found before anything renders.
#include <gtest/gtest.h>

#include <fstream>

#include "effect_params.h"
#include "fxhost/cli/cli.h"
#include "fxhost/cli/closest_names.h"
#include "fxhost/cli/help_text.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/cli/parse_command_line.h"
#include "fxhost/files/output_spec.h"
#include "fxhost/frames/frame_list.h"

namespace fxhost {
namespace {

// Parses `args` as main() will, up to everything that can be checked without the plug-in: the options,
// the frame list, the settings against the effect's parameters and the output name. Returns the first
// error message, or "" when the arguments are good.
std::string FirstError(std::vector<std::string> args, Options* parsed = nullptr) {
  args.insert(args.begin(), "fxhost");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  Options options;
  options.plugin = "plugin.so";
  options.jobs = 2;
  CLI::App app;
  BuildCli(app, options);
  try {
    ParseCommandLine(app, static_cast<int>(argv.size()), argv.data());
    if (options.command == "render") {
      const auto params = testing::EffectParams();
      const std::vector<int> frames = FramesToRender(options);
      SettingsFromOptions(options, params);
      ParseOutputSpec(options.output, frames.size());
    }
  } catch (const CLI::ParseError& e) {
    return e.what();
  } catch (const InputError& e) {
    return e.what();
  }
  if (parsed) *parsed = options;
  return "";
}

TEST(CommandLine, BadInputGetsOneLineNamingTheProblem) {
  const std::string params_file = ::testing::TempDir() + "/fxhost-bad-params.json";
  std::ofstream(params_file) << R"({"parameters": [{"name": "Row", "value": "many"}]})";

  struct Case {
    std::vector<std::string> args;
    std::string fragment;
  };
  const std::vector<Case> cases = {
      {{}, "subcommand"},
      {{"render"}, "--output is required"},
      // Unknown options and commands are named first, with the closest valid ones.
      {{"render", "--ouput", "x.png"}, "unknown option --ouput; did you mean --output?"},
      {{"render", "--fram", "0-3", "-o", "a_#.png"},
       "unknown option --fram; did you mean --frame or --frames?"},
      {{"render", "-o", "a.png", "--qiuet"}, "unknown option --qiuet; did you mean --quiet?"},
      {{"render", "-o", "a.png", "--layers=x.png"}, "unknown option --layers; did you mean --layer?"},
      {{"render", "-o", "a.png", "-frames", "0-3"}, "unknown option -frames; did you mean --frames?"},
      {{"render", "-o", "a.png", "--depth", "12", "--bogus"}, "unknown option --bogus"},
      {{"render", "-o", "a.png", "--set", "Row=3", "Column=4"}, "unexpected argument \"Column=4\""},
      {{"rendr", "-o", "a.png"}, "unknown command \"rendr\"; did you mean render?"},
      {{"info", "--jsno"}, "unknown option --jsno; did you mean --json?"},
      {{"--verison"}, "unknown option --verison; did you mean --version?"},
      {{"render", "--output", "a.png", "--depth", "12"}, "--depth"},
      {{"render", "--output", "a.png", "--size", "1920"}, "expected WIDTHxHEIGHT"},
      {{"render", "--output", "a.png", "--size", "0x10"}, "at least 1"},
      {{"render", "--output", "a.png", "--size", "100000x100000"}, "larger than fxhost renders"},
      {{"render", "--output", "a.png", "--jobs", "0"}, "--jobs"},
      {{"render", "--output", "a.png", "--fps", "-24"}, "--fps"},
      {{"render", "--output", "a.png", "--app-id", "Premiere"}, "four characters"},
      {{"render", "--output", "a_#.png", "--frames", "1-3", "--frame", "2"}, "excludes"},
      {{"render", "--output", "a_#.png", "--frames", "1-y"}, "\"y\" is not a frame number"},
      {{"render", "--output", "a_#.png", "--frames", "1-10x"}, "\"\" is not a step"},
      {{"render", "--output", "a_#.png", "--frames", "1-10x0"}, "step must be at least 1"},
      {{"render", "--output", "a_#.png", "--frames", "5x2"}, "a step needs a range (A-BxS or A-B:S)"},
      {{"render", "--output", "a_#.png", "--frames", "10-1"}, "ends before it starts"},
      {{"render", "--output", "a_#.png", "--frames", "1-10:0"}, "step must be at least 1"},
      {{"render", "--output", "a_#.png", "--frames", "1,,2"}, "empty item"},
      {{"render", "--output", "a_#.png", "--frames", "5:2"}, "a step needs a range"},
      {{"render", "--output", "a_#.png", "--frames", "0-99999999"}, "more than 1000000 frames"},
      {{"render", "--output", "a.png", "--set", "Rows=4"}, "unknown parameter \"Rows\""},
      {{"render", "--output", "a.png", "--set", "Row"}, "expected NAME=VALUE"},
      {{"render", "--output", "a.png", "--set", "Row=3.5"}, "Row: \"3.5\" is not a whole number"},
      {{"render", "--output", "a.png", "--set", "Row=1"}, "Row: 1 is outside the valid range 2 to 5000"},
      {{"render", "--output", "a.png", "--set", "Missing Tile=101"}, "outside the valid range 0 to 100"},
      {{"render", "--output", "a.png", "--set", "Time=fast"}, "Time: \"fast\" is not a number"},
      {{"render", "--output", "a.png", "--set", "Time=nan"}, "is not a number"},
      {{"render", "--output", "a.png", "--set", "Return=maybe"}, "Return: \"maybe\" is not on/off"},
      {{"render", "--output", "a.png", "--set", "Position=Above"},
       "not one of the choices 1 \"In front\", 2"},
      {{"render", "--output", "a.png", "--set", "Position=3"}, "not one of the choices"},
      {{"render", "--output", "a.png", "--set", "Time=1@0,2@"}, "\"\" is not a frame number"},
      {{"render", "--output", "a.png", "--set", "Time=1@0,2"}, "expected VALUE@FRAME"},
      {{"render", "--output", "a.png", "--set", "Time=1@0,2@0"}, "frame 0 has two keys"},
      {{"render", "--output", "a.png", "--set", "Row=3@0,x@5"}, "Row: \"x\" is not a number"},
      {{"render", "--output", "a.png", "--set", "Missing Tile Layer=testcard:12"},
       "Missing Tile Layer: size \"12\": expected WIDTHxHEIGHT"},
      {{"render", "--output", "a.png", "--set", "Seed="}, "Seed: no value given"},
      {{"render", "--output", "a.png", "--params", "no-such-file.json"}, "--params"},
      {{"render", "--output", "a.png", "--params", params_file}, "Row: \"many\" is not a number"},
      {{"render", "--output", "a.bmp"}, "unknown extension \".bmp\""},
      {{"render", "--output", "a.png", "--frames", "0-2"}, "3 frames need a frame number"},
      {{"render", "--output", "a_#_#.png"}, "more than one frame number"},
      {{"render", "--output", "a_%4d.png"}, "only %d, %0Nd and %% may follow"},
      {{"render", "--output", "movie_#.gif"}, "a movie is one file"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    const std::string error = FirstError(c.args);
    EXPECT_NE(error.find(c.fragment), std::string::npos) << joined << "\n  gave: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << joined << "\n  gave: " << error;
  }
}

TEST(CommandLine, GoodArgumentsFillTheOptions) {
  Options options;
  ASSERT_EQ(FirstError({"render",
                        "-o",
                        "out/f_####.png",
                        "--frames",
                        "1-10:2,20",
                        "--depth",
                        "16",
                        "--set",
                        "Missing Tile=50",
                        "--set",
                        "Row=4",
                        "--set",
                        "Return=on",
                        "--set",
                        "Position=Behind",
                        "--set",
                        "Missing Tile Layer=testcard:640x360",
                        "--size",
                        "320x240",
                        "--jobs",
                        "3",
                        "--app-id",
                        "PrMr",
                        "--quiet",
                        "--fps",
                        "25"},
                       &options),
            "");
  EXPECT_EQ(options.command, "render");
  EXPECT_EQ(options.depth, Depth::k16);
  EXPECT_EQ(options.size, (ImageSize{320, 240}));
  EXPECT_EQ(FramesToRender(options), (std::vector<int>{1, 3, 5, 7, 9, 20}));
  EXPECT_EQ(options.jobs, 3);
  EXPECT_TRUE(options.quiet);
  EXPECT_EQ(options.fps, 25);
  EXPECT_EQ(AppIdCode(options.app_id), 0x50724D72u);
  EXPECT_EQ(options.sets.size(), 5u);

  ASSERT_EQ(FirstError({"render", "--output", "null", "--frame", "-3"}, &options), "");
  EXPECT_EQ(FramesToRender(options), std::vector<int>{-3});
  EXPECT_FALSE(options.depth.has_value());

  ASSERT_EQ(FirstError({"info", "--json", "--plugin", "other.so"}, &options), "");
  EXPECT_EQ(options.command, "info");
  EXPECT_TRUE(options.json);
  EXPECT_EQ(options.plugin, "other.so");
}

TEST(FrameList, NatronAndNukeStyleListsAscendingAndOnce) {
  struct Case {
    const char* text;
    std::vector<int> frames;
  };
  const std::vector<Case> cases = {
      {"0-3", {0, 1, 2, 3}},
      {"1-10:2,20,30-32", {1, 3, 5, 7, 9, 20, 30, 31, 32}},
      {"5, 1-3", {1, 2, 3, 5}},
      {"1-5,3-7:2", {1, 2, 3, 4, 5, 7}},
      {"-2-1", {-2, -1, 0, 1}},
      {"-5--3", {-5, -4, -3}},
      {"7", {7}},
      {"1-10x3", {1, 4, 7, 10}},  // the step as Nuke and fileseq write it
      {"-6--2x2,0-3:3", {-6, -4, -2, 0, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFrameList(c.text), c.frames) << c.text;
}

TEST(CommandLine, SuggestionsAreTheClosestNamesOrWhatTheTypedNameAbbreviates) {
  const std::vector<std::string> names{"--layer", "--size", "--set",    "--frames", "--frame",
                                       "--fps",   "-o",     "--output", "--quiet",  "--jobs"};
  struct Case {
    const char* typed;
    std::vector<std::string> found;
  };
  const std::vector<Case> cases = {
      {"--ouput", {"--output"}},            // a letter left out
      {"--outptu", {"--output"}},           // two swapped
      {"--Quiet", {"--quiet"}},             // case
      {"--fram", {"--frame", "--frames"}},  // the closest, then what it abbreviates
      {"--s", {"--size", "--set"}},         // an abbreviation alone
      {"--fp", {"--fps"}},                  // abbreviation
      {"--bogus", {}},                      // nothing close
      {"-x", {}},                           // one letter is close to every other letter: nothing
      {"--sets", {"--set"}},                // one letter more
      {"--layre", {"--layer"}},             // swap at the end
  };
  for (const Case& c : cases) EXPECT_EQ(ClosestNames(c.typed, names), c.found) << c.typed;
  EXPECT_EQ(DidYouMean("--fram", names), "; did you mean --frame or --frames?");
  EXPECT_EQ(DidYouMean("--bogus", names), "");
  EXPECT_EQ(EditDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(EditDistance("", "abc"), 3u);
  EXPECT_EQ(EditDistance("ab", "ba"), 1u);
}

// The help's examples are command lines that parse as they stand.
TEST(CommandLine, RenderHelpExamplesAreValid) {
  ASSERT_EQ(RenderExamples().size(), 3u);
  for (const RenderExample& example : RenderExamples()) {
    std::vector<std::string> args;
    std::string text(example.command_line);
    for (std::size_t start = 0, space = 0; start < text.size(); start = space + 1) {
      space = std::min(text.find(' ', start), text.size());
      args.push_back(text.substr(start, space - start));
    }
    ASSERT_EQ(args.at(0), "fxhost");
    args.erase(args.begin());
    EXPECT_EQ(FirstError(args), "") << text;
    EXPECT_NE(RenderHelpFooter().find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace fxhost
