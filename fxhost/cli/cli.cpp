#include "fxhost/cli/cli.h"

#include <system_error>

#include "fxhost/cli/colour_options.h"
#include "fxhost/cli/help_text.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/cli/memory_budget.h"
#include "fxhost/commands/plugin_info_json.h"
#include "fxhost/frames/frame_list.h"
#include "fxhost/frames/frame_share.h"

namespace fxhost {

std::filesystem::path DefaultPluginPath(const std::filesystem::path& program) {
#ifdef _WIN32
  constexpr const char* kLibrary = "Zelkra15puzzle_CS5.dll";
#else
  constexpr const char* kLibrary = "Zelkra15puzzle_CS5.so";
#endif
  return program.parent_path() / kLibrary;
}

std::filesystem::path ProgramPath(const char* argv0) {
  std::error_code error;
#ifndef _WIN32
  if (auto self = std::filesystem::read_symlink("/proc/self/exe", error); !error) return self;
#endif
  auto absolute = std::filesystem::absolute(argv0 ? argv0 : "", error);
  return error ? std::filesystem::path(argv0 ? argv0 : "") : absolute;
}

void BuildCli(CLI::App& app, Options& options) {
  app.description("fxhost: runs the Zelkra15puzzle effect plug-in outside the application.");
  app.require_subcommand(1);
  app.allow_extras();  // unknown arguments are named by ParseCommandLine, with suggestions
  app.set_version_flag("--version", VersionLine(), "Show fxhost's version and exit");

  const std::string plugin_help = "The plug-in library (default: " + options.plugin + ")";
  auto app_id_check = CLI::Validator(
      [](std::string& value) {
        return value.size() == 4 ? std::string() : "must be four characters, e.g. PrMr";
      },
      "XXXX");

  CLI::App* info = app.add_subcommand("info", "Show the plug-in's About text, descriptor and parameters");
  info->add_option("--plugin", options.plugin, plugin_help);
  info->add_option("--app-id", options.app_id, "Pose as the host with this application id (e.g. PrMr)")
      ->check(app_id_check);
  info->add_flag("--json", options.json, "The same as JSON (a valid starting point for render --params)");
  info->add_option("--set", options.sets,
                   "Set a parameter by name, as render does: the parameter list shows it")
      ->allow_extra_args(false);
  info->add_option("--params", options.params_file,
                   "Parameter settings from a JSON file, as render reads them")
      ->check(CLI::ExistingFile);
  info->callback([&options] { options.command = "info"; });

  CLI::App* render = app.add_subcommand("render", "Render frames of the effect into image files or a movie");
  render->footer(RenderHelpFooter());
  render->add_option("--plugin", options.plugin, plugin_help);
  render->add_option("--layer", options.layer,
                     "The input layer: an image file, a sequence (frame_####.png, frame_%04d.png), a movie "
                     "(.mov .mp4 .mkv ...) or testcard:WxH (default: the built-in test card); FILE@+N "
                     "reads the file's frame F+N at frame F");
  render->add_option("--size", options.size_text, "The test card's size, WxH")
      ->default_str(options.size_text)
      ->check(CLI::Validator(
          [](std::string& value) {
            try {
              ParseImageSize(value);
              return std::string();
            } catch (const InputError& e) {
              return std::string(e.what());
            }
          },
          "WxH"));
  render
      ->add_option_function<int>(
          "--depth", [&options](const int& bits) { options.depth = DepthFromBits(bits); },
          "The world depth: 8, 16 or 32 (default: the input's)")
      ->check(CLI::IsMember({8, 16, 32}));
  render
      ->add_option("--set", options.sets,
                   "Set a parameter by name: NAME=VALUE, or keyframes NAME=V@F,V@F,... (repeatable)")
      ->allow_extra_args(false);
  render
      ->add_option("--params", options.params_file,
                   "Parameter settings from a JSON file (as info --json writes)")
      ->check(CLI::ExistingFile);
  auto* frames = render->add_option_function<std::string>(
      "--frames", [&options](const std::string& list) { options.frames = list; },
      "Frames to render, e.g. 0-99, or 1-10x2,20,30-40 (every second of 1-10, also "
      "written 1-10:2; default: frame 0)");
  render
      ->add_option_function<int>(
          "--frame", [&options](const int& frame) { options.frames = std::to_string(frame); },
          "One frame to render")
      ->excludes(frames);
  render->add_option("--fps", options.fps, "The composition's frame rate")
      ->default_str("24")
      ->check(CLI::Range(0.001, 1000.0));
  render
      ->add_option("-o,--output", options.output,
                   "Output files: a '#' run or %04d becomes the frame number; .png .tif .exr .jpg, a "
                   ".mp4, .mov (ProRes 4444 with alpha) or .gif movie, or null")
      ->required();
  render->add_option("--jobs", options.jobs, "Frames rendered in parallel")
      ->default_str(std::to_string(options.jobs))
      ->check(CLI::Range(1, 1024));
  render->add_flag("--quiet", options.quiet, "Show failures only");
  render->add_option("--report", options.report,
                     "Write a JSON report: per frame result, time, checksum, "
                     "what the host still held");
  render
      ->add_option_function<std::string>(
          "--max-memory", [&options](const std::string& size) { options.max_memory = ParseMemorySize(size); },
          "The memory the render may take, e.g. 8G or 512M: a picture or frame that needs more is refused "
          "before it is allocated, and fewer frames render at once when they would not fit together")
      ->default_str(FormatBytes(DefaultMemoryBudget()) + ", half the machine's memory");
  AddColourOptions(*render, options);
  render->add_option("--app-id", options.app_id, "Pose as the host with this application id (e.g. PrMr)")
      ->check(app_id_check);
  render->add_flag("--skip-existing", options.skip_existing,
                   "Do not render frames whose output file exists (resuming an interrupted run)");
  auto* share = render->add_option("--share", options.share,
                                   "Render only task I's share of the frames, of N tasks (I from 0): "
                                   "a contiguous chunk, e.g. 1/4 for a farm's second task");
  render->add_flag("--interleave", options.interleave, "With --share: every N-th frame from the I-th on")
      ->needs(share);
  render
      ->add_option("--inject-fault", options.inject_faults,
                   "Testing aid: make host operations fail, OP:N, OP:N+, OP:N@render (fxhost faults "
                   "lists the operations)")
      ->group("Testing");
  app.add_subcommand("faults", "List the host operations render --inject-fault can make fail")
      ->callback([&options] { options.command = "faults"; });

  render->callback([&options] {
    options.command = "render";
    options.size = ParseImageSize(options.size_text);
  });
  AddReportCommands(app, options);
}

std::vector<int> FramesToRender(const Options& options) {
  const std::vector<int> frames = options.frames ? ParseFrameList(*options.frames) : std::vector<int>{0};
  if (options.share.empty()) return frames;
  return ShareOfFrames(frames, ParseFrameShare(options.share), options.interleave);
}

std::vector<ParamSetting> SettingsFromOptions(const Options& options, std::span<const ParamInfo> params) {
  std::vector<ParamSetting> settings;
  if (!options.params_file.empty()) settings = ReadParamsFile(options.params_file, params, options.size);
  for (const std::string& set : options.sets)
    MergeSetting(settings, ParseSetArgument(set, params, options.size));
  return settings;
}

std::uint32_t AppIdCode(std::string_view app_id) {
  std::uint32_t code = 0;
  for (char c : app_id.substr(0, 4)) code = (code << 8) | static_cast<unsigned char>(c);
  return code;
}

}  // namespace fxhost
