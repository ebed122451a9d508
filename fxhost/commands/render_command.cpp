// `fxhost render`: everything that can be checked is checked before the first frame (the frame list,
// the output names and folders, the plug-in, the settings, the layer files, the first input picture);
// then the frames are rendered on the worker pool, each through the host's pre-render and render, and
// written as they finish, each file under its final name only when complete.
#include <chrono>
#include <memory>
#include <optional>

#include "fxhost/cli/input_error.h"
#include "fxhost/commands/commands.h"
#include "fxhost/commands/host_params.h"
#include "fxhost/commands/plugin_session.h"
#include "fxhost/commands/render_layers.h"
#include "fxhost/commands/world_image.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/movie_writer.h"
#include "fxhost/files/output_spec.h"
#include "fxhost/frames/frame_checksum.h"
#include "fxhost/frames/progress.h"
#include "fxhost/frames/report.h"
#include "fxhost/frames/time_base.h"
#include "fxhost/frames/worker_pool.h"
#include "host/app_id.h"
#include "host/render_frame.h"

namespace fxhost {
namespace {

// Host operations to fail, from "OP:N".
void InjectFaults(const std::vector<std::string>& faults, host::FaultPlan& plan) {
  for (const std::string& fault : faults) {
    const auto colon = fault.rfind(':');
    long nth = 0;
    try {
      nth = colon == std::string::npos ? 0 : std::stol(fault.substr(colon + 1));
    } catch (const std::exception&) {
      nth = 0;
    }
    if (colon == 0 || nth < 1)
      throw InputError("--inject-fault: \"" + fault + "\" is not OP:N with N from 1");
    plan.fail(fault.substr(0, colon), nth);
  }
}

HeldResources HeldIncrease(const HeldResources& after, const HeldResources& before) {
  HeldResources increase;
  for (const auto& [what, count] : after) {
    const auto was = before.find(what);
    const long long more = count - (was == before.end() ? 0 : was->second);
    if (more > 0) increase[what] = more;
  }
  return increase;
}

std::string FrameFailureMessage(const host::FrameResult& frame) {
  if (frame.pre_render.err != PF_Err_NONE) {
    const std::string message = frame.pre_render.return_msg();
    return message.empty() ? "pre-render failed" : message;
  }
  return frame.render ? frame.render->return_msg() : std::string();
}

class FrameRenderer {
 public:
  FrameRenderer(PluginSession& plugin, std::vector<RenderLayer>& layers, Depth depth,
                const RenderColour& colour, const TimeBase& time, const OutputSpec& output,
                MovieWriter* movie, bool exact_held)
      : plugin_(plugin),
        layers_(layers),
        depth_(depth),
        colour_(colour),
        time_(time),
        output_(output),
        movie_(movie),
        exact_held_(exact_held) {}

  // Renders and writes `frame`, the `index`-th of the run; never throws: a failure is the result.
  FrameResult Render(std::size_t index, int frame) const {
    FrameResult result;
    result.frame = frame;
    try {
      std::vector<host::WorldBuffer> loaded;
      loaded.reserve(layers_.size());
      host::FrameRequest request;
      request.current_time = FrameTime(time_, frame);
      request.time_step = time_.time_step;
      request.time_scale = time_.time_scale;
      request.depth = HostDepth(depth_);
      for (const RenderLayer& layer : layers_) {
        const host::WorldBuffer& world = LayerWorld(layer, frame, depth_, colour_.working, loaded);
        if (layer.index == 0) {
          request.input = &world;
        } else {
          request.layers[layer.index] = &world;
        }
      }

      const HeldResources before = exact_held_ ? HeldBy(plugin_.session().ledger()) : HeldResources{};
      const auto start = std::chrono::steady_clock::now();
      const host::FrameResult rendered = host::RenderFrame(plugin_.effect(), request);
      result.render_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (exact_held_) result.held = HeldIncrease(HeldBy(plugin_.session().ledger()), before);

      if (rendered.err() != PF_Err_NONE) {
        result.result = rendered.err();
        result.message = FrameFailureMessage(rendered);
        return result;
      }
      const Image image = ImageFromWorld(rendered.output);
      result.checksum = FrameChecksumLine(frame, image);
      const Image& written = colour_.output_converts ? OutputPicture(image, colour_) : image;
      if (output_.kind == OutputKind::kImages) {
        const std::filesystem::path path = OutputPathFor(output_, frame);
        WriteImageFile(path, written, output_.format, colour_.output);
        result.output = path.string();
      } else if (output_.kind == OutputKind::kMovie) {
        movie_->WriteFrame(index, written);
      }
      result.succeeded = true;
    } catch (const std::exception& e) {
      result.succeeded = false;
      result.message = e.what();
    }
    return result;
  }

 private:
  PluginSession& plugin_;
  std::vector<RenderLayer>& layers_;
  Depth depth_;
  const RenderColour& colour_;
  TimeBase time_;
  const OutputSpec& output_;
  MovieWriter* movie_;
  bool exact_held_;
};

// The report is written at the end, but its folder is checked before rendering.
void CheckReportPath(const std::string& report) {
  if (report.empty()) return;
  const std::filesystem::path path(report);
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    throw InputError("--report: folder \"" + folder.string() + "\" does not exist");
  }
  if (std::filesystem::is_directory(path, error))
    throw InputError("--report: \"" + report + "\" is a folder");
}

}  // namespace

int RenderCommand(const Options& options, std::span<const std::string> command_line, std::ostream& err) {
  // What the command line alone tells.
  const std::vector<int> frames = FramesToRender(options);
  const TimeBase time = TimeBaseForFps(options.fps);
  for (int frame : frames) FrameTime(time, frame);
  const OutputSpec output = ParseOutputSpec(options.output, frames.size());
  CheckReportPath(options.report);

  host::EffectSettings settings;
  if (!options.app_id.empty()) settings.appl_id = host::app_id_from_code(options.app_id);
  settings.time_step = time.time_step;
  settings.time_scale = time.time_scale;
  settings.current_time = FrameTime(time, frames.front());
  settings.total_time = static_cast<A_long>(
      std::min<long long>(static_cast<long long>(frames.back() + 1) * time.time_step, INT32_MAX));
  PluginSession plugin(options.plugin, settings);

  // The settings and the files they name.
  const std::vector<ParamInfo> params = ParamInfosFromStore(plugin.effect().params());
  const std::vector<ParamSetting> param_settings = SettingsFromOptions(options, params);
  std::vector<RenderLayer> layers =
      OpenRenderLayers(options, param_settings, frames, static_cast<std::size_t>(options.jobs) + 1);
  std::vector<std::filesystem::path> inputs;
  for (const RenderLayer& layer : layers) {
    for (auto& file : layer.pictures->files()) inputs.push_back(file);
  }
  if (!options.params_file.empty()) inputs.emplace_back(options.params_file);
  CheckOutputs(output, frames, inputs);
  ReadRenderLayers(options, params, layers);

  // The input layer's first picture gives the composition's size, its colour space the working space
  // (unless --working-space) and its depth the render's (unless --depth).
  const Image& first = layers[0].pictures->first();
  const Depth depth = RenderDepth(options, layers[0]);
  const RenderColour colour = ChooseColour(options, layers, output, depth);
  plugin.effect().settings().width = WidthOf(first);
  plugin.effect().settings().height = HeightOf(first);
  PrepareStillLayers(layers, depth, colour.working);
  std::unique_ptr<MovieWriter> movie;
  if (output.kind == OutputKind::kMovie) movie = std::make_unique<MovieWriter>(output, options.fps);
  if (!options.quiet) {
    for (const std::string& note : MovieNotes(output, WidthOf(first), HeightOf(first), frames, options.fps))
      err << "fxhost: note: " << note << "\n";
    if (colour.converts) err << "fxhost: note: " << ColourNote(layers, colour) << "\n";
  }

  plugin.SequenceSetup();
  ApplySettings(plugin.effect().params(), param_settings, frames, time);
  InjectFaults(options.inject_faults, plugin.session().faults());

  // The frames.
  CreateOutputFolders(output, frames);
  const ProgressMode mode = options.quiet
                                ? ProgressMode::kQuiet
                                : (StderrIsTerminal() ? ProgressMode::kTerminal : ProgressMode::kLines);
  Progress progress(frames.size(), mode, err);
  const int jobs = std::min<int>(options.jobs, static_cast<int>(frames.size()));
  const FrameRenderer renderer(plugin, layers, depth, colour, time, output, movie.get(), jobs == 1);
  std::vector<FrameResult> results(frames.size());
  const auto start = std::chrono::steady_clock::now();
  RunParallel(frames.size(), jobs, [&](std::size_t i) {
    results[i] = renderer.Render(i, frames[i]);
    progress.FrameDone(results[i]);
  });
  progress.Finish();

  std::size_t failed = 0;
  for (const FrameResult& r : results) failed += r.succeeded ? 0 : 1;
  int status = failed == 0 ? kExitOk : kExitFailed;
  if (movie) {
    if (failed == 0) {
      movie->Finish(results.size());
    } else {
      err << "fxhost: no movie written: " << failed << " of " << results.size() << " frames failed\n";
    }
  }
  const double wall_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  layers.clear();

  // The set-downs, and what the host still holds after them.
  HeldResources held_at_end;
  try {
    held_at_end = plugin.Close();
  } catch (const PluginError& e) {
    err << "fxhost: " << e.what() << "\n";
    status = kExitFailed;
    held_at_end = HeldBy(plugin.session().ledger());
  }
  if (!held_at_end.empty()) {
    err << "fxhost: after the set-downs the host still holds:";
    for (const auto& [what, count] : held_at_end) err << " " << what << " (" << count << ")";
    err << "\n";
  }
  for (const std::string& misuse : plugin.session().ledger().misuse())
    err << "fxhost: host misuse: " << misuse << "\n";

  if (!options.report.empty()) {
    RunInfo run;
    run.plugin = plugin.path().string();
    run.command.assign(command_line.begin(), command_line.end());
    run.depth = static_cast<int>(depth);
    run.width = plugin.effect().settings().width;
    run.height = plugin.effect().settings().height;
    run.fps = options.fps;
    run.jobs = jobs;
    run.output = options.output;
    WriteReport(options.report, ReportJson(run, results, wall_seconds, held_at_end));
  }
  if (failed != 0) err << "fxhost: " << failed << " of " << results.size() << " frames failed\n";
  return status;
}

}  // namespace fxhost
