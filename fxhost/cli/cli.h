#pragma once
// fxhost's command line: `fxhost info` and `fxhost render`, defined with CLI11. main() builds the app
// with BuildCli, parses, and reads the options from Options.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fxhost/cli/image_size.h"
#include "fxhost/cli/param_info.h"
#include "fxhost/cli/param_setting.h"
#include "fxhost/files/image.h"

namespace fxhost {

struct Options {
  std::string command;  // "info", "render", "faults" or "report merge"
  std::string plugin;   // the plug-in library
  std::string app_id;   // four characters, "" for the host library's own
  bool json = false;    // info --json

  // render
  std::string layer;  // "" for the test card
  std::string size_text = "1920x1080";
  ImageSize size;                     // the test card's size, from size_text
  std::optional<Depth> depth;         // none: the input's own
  std::vector<std::string> sets;      // NAME=VALUE, in order (render, and info for its values)
  std::string params_file;            // "" for none
  std::optional<std::string> frames;  // --frames, or --frame as a list of one; none: frame 0
  double fps = 24;
  std::string output;
  int jobs = 1;
  bool quiet = false;
  std::string report;            // "" for none
  std::uint64_t max_memory = 0;  // --max-memory in bytes; 0 for the default (DefaultMemoryBudget)
  // Colour spaces by name (see fxhost/files/colour.h); "" for the default.
  std::vector<std::string> input_spaces;  // NAME for the input layer, LAYER=NAME for a layer parameter
  std::string working_space;              // "": the input layer's
  std::string output_space;               // "": the output format's

  // render, resuming and sharing the frames with other processes (farms)
  bool skip_existing = false;  // frames whose output file exists are not rendered
  std::string share;           // "I/N": task I of N renders its share of the frames; "" for all
  bool interleave = false;     // the share is every N-th frame rather than a contiguous chunk

  // report merge (with `frames`: the shot's frames)
  std::vector<std::string> reports;  // the reports to merge, in order
  std::string merged_report;         // --output of the merge, "" for none

  // Testing aid: host operations made to fail, each OP:N, OP:N+ or either with @render (see
  // fault_option.h).
  std::vector<std::string> inject_faults;
};

// The plug-in fxhost loads by default: the Zelkra15puzzle_CS5 build in the folder of `program` (the
// running program's path).
std::filesystem::path DefaultPluginPath(const std::filesystem::path& program);

// The path of the running program (argv[0] as given when the system cannot tell).
std::filesystem::path ProgramPath(const char* argv0);

// Defines both subcommands and every option on `app`, storing into `options`; options.plugin and
// options.jobs hold the defaults when called. After a successful parse, options.command names the
// subcommand and options.size and options.depth are filled.
void BuildCli(CLI::App& app, Options& options);

// Adds `report merge` to `app` (called by BuildCli).
void AddReportCommands(CLI::App& app, Options& options);

// The frames to render: --frames, --frame, or frame 0, then the --share of them (possibly none).
// Throws InputError for a malformed list or share.
std::vector<int> FramesToRender(const Options& options);

// The parameter settings: the --params file first, then each --set in order (the last setting of a
// parameter wins). Throws InputError naming the first bad setting.
std::vector<ParamSetting> SettingsFromOptions(const Options& options, std::span<const ParamInfo> params);

// The host's 32-bit application id for four characters ("PrMr" -> 0x50724D72).
std::uint32_t AppIdCode(std::string_view app_id);

}  // namespace fxhost
