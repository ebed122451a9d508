// One effect instance in a host session, set up once, rendering frames of fixed settings through
// host::RenderFrame as fxhost does: the same still input (and gap) layer for every frame, no call
// log, progress counted but not kept, each frame rendered into the world of the one before.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "host/effect.h"
#include "host/module.h"
#include "host/session.h"
#include "host/world_buffer.h"

struct FrameSettings {
  int rows;
  int columns;
  double time;
  bool gap_layer;  // a gap layer of the frame's size, Fit off
};

class FrameBench {
 public:
  FrameBench(A_long width, A_long height, host::PixelDepth depth, const FrameSettings& settings);
  ~FrameBench();
  FrameBench(const FrameBench&) = delete;
  FrameBench& operator=(const FrameBench&) = delete;

  // Renders one frame; an empty string, or what went wrong.
  std::string RenderOnce();
  // The bytes of the output frame's pixels.
  std::size_t output_bytes() const { return output_bytes_; }

 private:
  host::Module module_;
  host::Session session_;
  host::Effect effect_;
  host::WorldBuffer input_;
  std::optional<host::WorldBuffer> gap_;
  std::optional<host::WorldBuffer> previous_;  // the last frame's output, for the next to render into
  host::PixelDepth depth_;
  std::size_t output_bytes_;
};
