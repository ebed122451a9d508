#include "fxhost/files/existing_outputs.h"

#include <system_error>

#include "fxhost/cli/input_error.h"

namespace fxhost {

FramePlan PlanFrames(const OutputSpec& output, std::span<const int> frames, bool skip_existing) {
  if (skip_existing && output.kind != OutputKind::kImages)
    throw InputError("--skip-existing needs image files as the output (a movie or null is written whole)");
  FramePlan plan;
  plan.results.resize(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    FrameResult& result = plan.results[i];
    result.frame = frames[i];
    if (skip_existing) {
      const std::filesystem::path path = OutputPathFor(output, frames[i]);
      std::error_code error;
      if (std::filesystem::is_regular_file(path, error)) {
        result.succeeded = true;
        result.skipped = true;
        result.output = path.string();
        continue;
      }
    }
    plan.to_render.push_back(i);
  }
  return plan;
}

}  // namespace fxhost
