// `fxhost render`: everything that can be checked is checked before the first frame (the frame list,
// the output names and folders, the plug-in, the settings, the layer files, the first input picture);
// then the frames are rendered on the worker pool, each through the host's pre-render and render, and
// written as they finish, each file under its final name only when complete.
#include <chrono>
#include <memory>
#include <optional>

#include "fxhost/cli/fault_option.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/cli/memory_budget.h"
#include "fxhost/commands/commands.h"
#include "fxhost/commands/frame_output.h"
#include "fxhost/commands/host_params.h"
#include "fxhost/commands/plugin_session.h"
#include "fxhost/commands/render_layers.h"
#include "fxhost/commands/world_image.h"
#include "fxhost/files/existing_outputs.h"
#include "fxhost/files/folders.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/movie_writer.h"
#include "fxhost/files/output_spec.h"
#include "fxhost/frames/frame_checksum.h"
#include "fxhost/frames/progress.h"
#include "fxhost/frames/report.h"
#include "fxhost/frames/report_writer.h"
#include "fxhost/frames/run_summary.h"
#include "fxhost/frames/stop_signals.h"
#include "fxhost/frames/time_base.h"
#include "fxhost/frames/worker_pool.h"
#include "fxhost/frames/world_pool.h"
#include "host/app_id.h"
#include "host/render_frame.h"

namespace fxhost {
namespace {

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
                MovieWriter* movie, bool exact_held, WorldPool& worlds, std::uint64_t frame_budget)
      : plugin_(plugin),
        layers_(layers),
        depth_(depth),
        colour_(colour),
        time_(time),
        output_(output),
        movie_(movie),
        exact_held_(exact_held),
        worlds_(worlds),
        frame_budget_(frame_budget) {}

  // Renders and writes `frame`, the `index`-th of the run; never throws: a failure is the result.
  FrameResult Render(std::size_t index, int frame) const {
    const auto start = std::chrono::steady_clock::now();
    FrameResult result = ReadRenderWrite(index, frame);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
  }

 private:
  FrameResult ReadRenderWrite(std::size_t index, int frame) const {
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
      request.record_progress = false;
      std::optional<host::WorldBuffer> recycled = worlds_.Take();
      if (recycled) request.recycled_output = &*recycled;
      for (const RenderLayer& layer : layers_) {
        const host::WorldBuffer& world = LayerWorld(layer, frame, depth_, colour_.working, loaded);
        if (layer.index == 0) {
          request.input = &world;
        } else {
          request.layers[layer.index] = &world;
        }
      }

      CheckMemory(FrameBytes(request.input->width(), request.input->height(), depth_), frame_budget_,
                  "a frame of " + std::to_string(request.input->width()) + "x" +
                      std::to_string(request.input->height()));

      const HeldResources before = exact_held_ ? HeldBy(plugin_.session().ledger()) : HeldResources{};
      const auto start = std::chrono::steady_clock::now();
      host::FrameResult rendered = host::RenderFrame(plugin_.effect(), request);
      result.render_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (exact_held_) result.held = HeldIncrease(HeldBy(plugin_.session().ledger()), before);

      if (rendered.err() != PF_Err_NONE) {
        result.result = rendered.err();
        result.message = FrameFailureMessage(rendered);
        return result;
      }
      if (colour_.output_converts) {
        const Image image = ImageFromWorld(rendered.output);
        result.checksum = FrameChecksumLine(frame, image);
        const Image written = OutputPicture(image, colour_);
        if (output_.kind == OutputKind::kImages) {
          const std::filesystem::path path = OutputPathFor(output_, frame);
          WriteImageFile(path, written, output_.format, colour_.output);
          result.output = path.string();
        } else if (output_.kind == OutputKind::kMovie) {
          movie_->WriteFrame(index, written);
        }
      } else {
        DeliverFrame(rendered.output, frame, index, output_, movie_, result, colour_.output);
      }
      worlds_.Give(std::move(rendered.output));
      result.succeeded = true;
    } catch (const std::bad_alloc&) {
      result.succeeded = false;
      result.message = "out of memory";
    } catch (const std::exception& e) {
      result.succeeded = false;
      result.message = e.what();
    }
    return result;
  }

  PluginSession& plugin_;
  std::vector<RenderLayer>& layers_;
  Depth depth_;
  const RenderColour& colour_;
  TimeBase time_;
  const OutputSpec& output_;
  MovieWriter* movie_;
  bool exact_held_;
  WorldPool& worlds_;
  std::uint64_t frame_budget_;  // what one frame's buffers may take
};

// The results of the frames that started, in order: a stopped run reports only those.
std::vector<FrameResult> FramesStarted(const std::vector<FrameResult>& results,
                                       const std::vector<char>& started) {
  std::vector<FrameResult> done;
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (started[i]) done.push_back(results[i]);
  }
  return done;
}

// What every frame shares: the first input picture and the still layers' worlds.
std::uint64_t SharedBytes(const Image& first, const std::vector<RenderLayer>& layers, Depth depth) {
  std::uint64_t bytes = PictureBytes(WidthOf(first), HeightOf(first), DepthOf(first));
  for (const RenderLayer& layer : layers) {
    if (layer.still) bytes += PictureBytes(layer.still->width(), layer.still->height(), depth);
  }
  return bytes;
}

// A farm task whose share of the frames is empty (more tasks than frames): nothing to render, which
// is not a failure; its report lists no frames.
int RenderNoFrames(const Options& options, std::span<const std::string> command_line, std::ostream& err) {
  err << "fxhost: share " << options.share << " of the frames is empty: nothing to render\n";
  if (!options.report.empty()) {
    RunInfo run;
    run.plugin = options.plugin;
    run.command.assign(command_line.begin(), command_line.end());
    run.depth = options.depth ? static_cast<int>(*options.depth) : 0;
    run.fps = options.fps;
    run.jobs = 0;
    run.output = options.output;
    WriteReport(options.report, ReportJson(run, {}, 0, {}));
  }
  return kExitOk;
}

}  // namespace

int RenderCommand(const Options& options, std::span<const std::string> command_line, std::ostream& err) {
  // What the command line alone tells.
  const std::vector<int> frames = FramesToRender(options);
  if (frames.empty()) return RenderNoFrames(options, command_line, err);
  const TimeBase time = TimeBaseForFps(options.fps);
  for (int frame : frames) FrameTime(time, frame);
  const OutputSpec output = ParseOutputSpec(options.output, frames.size());
  const StopSignals stop_signals;
  const std::uint64_t budget = options.max_memory != 0 ? options.max_memory : DefaultMemoryBudget();
  const std::vector<host::FaultRule> faults = ParseFaultOptions(options.inject_faults);

  host::EffectSettings settings;
  if (!options.app_id.empty()) settings.appl_id = host::app_id_from_code(options.app_id);
  settings.time_step = time.time_step;
  settings.time_scale = time.time_scale;
  settings.current_time = FrameTime(time, frames.front());
  settings.total_time = static_cast<A_long>(
      std::min<long long>(static_cast<long long>(frames.back() + 1) * time.time_step, INT32_MAX));
  PluginSession plugin(options.plugin, settings, faults);
  // fxhost never reads the call log, nor call counts unless it injects faults: a frame makes a call
  // per gap pixel and per tile, and keeping them would cost more than the frame.
  plugin.session().log().set_recording(false);
  plugin.session().faults().set_counting(false);

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
  inputs.push_back(plugin.path());
  CheckOutputs(output, frames, inputs);
  if (!options.report.empty()) CheckReportFile(options.report, output, frames, inputs);
  ReadRenderLayers(options, params, layers);
  FramePlan plan = PlanFrames(output, frames, options.skip_existing);

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

  // The frames.
  CreateOutputFolders(output, frames);
  if (!options.report.empty()) CreateReportFolder(options.report);
  const ProgressMode mode = options.quiet
                                ? ProgressMode::kQuiet
                                : (StderrIsTerminal() ? ProgressMode::kTerminal : ProgressMode::kLines);
  Progress progress(frames.size(), mode, err);
  const int jobs_asked = std::max(1, std::min<int>(options.jobs, static_cast<int>(plan.to_render.size())));
  const std::uint64_t shared = SharedBytes(first, layers, depth);
  const int jobs = JobsWithinBudget(
      budget, shared, FrameBytes(WidthOf(first), HeightOf(first), depth), jobs_asked,
      "a frame of " + std::to_string(WidthOf(first)) + "x" + std::to_string(HeightOf(first)) + " in " +
          std::to_string(static_cast<int>(depth)) + "-bit");
  if (jobs < jobs_asked && !options.quiet) {
    err << "fxhost: " << jobs << " frames at a time fit the memory budget of " << FormatBytes(budget)
        << " (--max-memory), not " << jobs_asked << "\n";
  }
  RunInfo run;
  run.plugin = plugin.path().string();
  run.command.assign(command_line.begin(), command_line.end());
  run.depth = static_cast<int>(depth);
  run.width = WidthOf(first);
  run.height = HeightOf(first);
  run.fps = options.fps;
  run.jobs = jobs;
  run.output = options.output;
  std::optional<ReportWriter> report_writer;
  if (!options.report.empty()) report_writer.emplace(options.report, run, frames.size());
  WorldPool worlds;
  const FrameRenderer renderer(plugin, layers, depth, colour, time, output, movie.get(), jobs == 1, worlds,
                               (budget - shared) / static_cast<std::uint64_t>(jobs));
  std::vector<FrameResult>& results = plan.results;
  std::vector<char> started(results.size(), 0);
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (!results[i].skipped) continue;
    started[i] = 1;
    progress.FrameDone(results[i]);
    if (report_writer) report_writer->FrameDone(i, results[i]);
  }
  const auto start = std::chrono::steady_clock::now();
  RunParallel(plan.to_render.size(), jobs, [&](std::size_t k) {
    const std::size_t i = plan.to_render[k];
    if (StopSignals::Received() != 0) return;  // once a stop is asked, no new frame starts
    started[i] = 1;
    results[i] = renderer.Render(i, frames[i]);
    progress.FrameDone(results[i]);
    if (report_writer) report_writer->FrameDone(i, results[i]);
  });
  progress.Finish();
  if (StopSignals::Received() != 0) results = FramesStarted(results, started);

  std::size_t failed = 0;
  for (const FrameResult& r : results) failed += r.succeeded ? 0 : 1;
  int status = failed == 0 ? kExitOk : kExitFailed;
  if (movie) {
    if (StopSignals::Received() != 0) {
      // Stopped: no movie; the frame folder goes with the writer.
    } else if (failed == 0) {
      try {
        movie->Finish(results.size());
      } catch (const std::exception& e) {
        if (StopSignals::Received() == 0) err << "fxhost: " << e.what() << "\n";
        status = kExitFailed;
      }
    } else {
      err << "fxhost: no movie written: " << failed << " of " << results.size() << " frames failed\n";
    }
    movie.reset();
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
    if (const int signal = StopSignals::Received(); signal != 0) run.stopped_by = SignalName(signal);
    WriteReport(options.report, ReportJson(run, results, wall_seconds, held_at_end));
  }
  if (!options.quiet || failed != 0) err << SummaryLine(results, wall_seconds) << "\n";
  if (const int signal = StopSignals::Received(); signal != 0) {
    err << "fxhost: stopped by " << SignalName(signal) << " after " << results.size() << " of "
        << frames.size() << " frames\n";
    return ExitStatusForSignal(signal);
  }
  return status;
}

}  // namespace fxhost
