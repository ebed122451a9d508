#pragma once
// What becomes of a rendered frame: its checksum line, read from the output world's rows in place, and
// its file or movie frame. Raw files are written straight from the world's rows, a null output writes
// nothing; image files and movie frames go through an image of the frame.

#include <cstddef>
#include <string_view>

#include "fxhost/files/movie_writer.h"
#include "fxhost/files/output_spec.h"
#include "fxhost/frames/frame_result.h"
#include "host/world_buffer.h"

namespace fxhost {

// Sets result.checksum and, when a file is written, result.output; image files are tagged with
// `colour_space` when one is given. Throws what writing throws.
void DeliverFrame(const host::WorldBuffer& world, int frame, std::size_t index, const OutputSpec& output,
                  MovieWriter* movie, FrameResult& result, std::string_view colour_space = {});

}  // namespace fxhost
