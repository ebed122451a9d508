#pragma once
// `--skip-existing`: a frame whose output file exists already is not rendered again, so that a run
// cut short (a farm task cancelled or out of time) can be run again and render only what is missing.
// Only image files qualify: a movie or null output is written whole by one run.

#include <cstddef>
#include <span>
#include <vector>

#include "fxhost/files/output_spec.h"
#include "fxhost/frames/frame_result.h"

namespace fxhost {

struct FramePlan {
  std::vector<FrameResult> results;    // one per frame; the skipped ones filled in
  std::vector<std::size_t> to_render;  // indexes into `results` of the frames to render, in order
};

// The plan for `frames`: with `skip_existing`, the frames whose output file exists are skipped
// results (succeeded, skipped, output named); every other frame is to render. Throws InputError when
// `skip_existing` is asked for an output that is not image files.
FramePlan PlanFrames(const OutputSpec& output, std::span<const int> frames, bool skip_existing);

}  // namespace fxhost
