// Rendering one frame of an effect the way the application does it: smart pre-render, then smart
// render, with the pre-render data carried from one to the other and released afterwards, the
// layers delivered in the frame's depth and an output world the host allocates.
//
// RenderFrame may be called from several threads at once on one Effect: each frame has its own
// in/out records, extras, worlds and layer checkouts; the module, the parameter store (only read)
// and the session's ledger, call log and fault plan are shared.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "host/effect.h"
#include "host/world_buffer.h"
#include "pf_host_interface.h"

namespace host {

struct FrameRequest {
  // The frame's time: current_time / time_scale seconds.
  A_long current_time = 0;
  A_long time_step = 1;
  A_u_long time_scale = 30;
  // The depth the frame is rendered in; every layer is delivered in it.
  PixelDepth depth = PixelDepth::k8Bit;

  // The layer the effect is applied to (parameter 0), in any depth: converted when it differs.
  // Required; it must outlive the call and may be shared by frames on several threads.
  const WorldBuffer* input = nullptr;
  // The layer parameters that have a layer (e.g. 3, the Missing Tile Layer), likewise. A layer
  // parameter not listed here is checked out without pixels (null data).
  std::map<PF_ParamIndex, const WorldBuffer*> layers;

  // The output world: the input's size unless given, rows optionally padded.
  std::optional<A_long> output_width;
  std::optional<A_long> output_height;
  A_long output_row_padding = 0;
  // What the output holds before the render (transparent black unless given).
  std::optional<PF_Pixel> output_fill;
  // A world of an earlier frame (FrameResult::output) to render into instead of a new one: taken
  // (moved from) when it has the output's size, depth and row padding, and filled as a new output
  // would be. A render of many frames then allocates no world per frame.
  WorldBuffer* recycled_output = nullptr;

  // The pre-render: the output request (the whole input, whole frame, all channels unless given),
  // the output rectangles the host hands over (empty unless given), and what checkout_layer
  // answers (unless given: the requested rectangle clipped to the layer, and the layer's bounds).
  std::optional<PF_RenderRequest> output_request;
  PF_LRect result_rect = {};
  PF_LRect max_result_rect = {};
  std::optional<PF_CheckoutResult> checkout_answer;

  // false: the frame is discarded after pre-render without being rendered.
  bool render = true;
  // abort and progress answer PF_Interrupt_CANCEL from their Nth call of this frame on (0: never).
  long cancel_from_abort_call = 0;
  long cancel_from_progress_call = 0;
  // false: progress calls are counted (for cancel_from_progress_call) but not kept, and
  // FrameResult::progress stays empty; a frame of a million tiles makes a million calls.
  bool record_progress = true;
  // Changes the input's record before checkout_layer_pixels hands it out (e.g. a short rowbytes).
  std::function<void(PF_EffectWorld&)> edit_input_record;
};

// One checkout_layer call of the pre-render, as the plug-in made it.
struct LayerCheckoutCall {
  PF_ParamIndex index;
  A_long checkout_id;
  PF_RenderRequest request;
  A_long what_time;
  A_long time_step;
  A_u_long time_scale;
};

struct FrameResult {
  explicit FrameResult(WorldBuffer output_world) : output(std::move(output_world)) {}

  CommandResult pre_render;
  // The pre-render output as the plug-in left it (pre_render_data is freed by now: only its value).
  PF_PreRenderOutput pre_render_output = {};
  // The pre-render data's bytes right after pre-render and after render (empty when there was
  // none, or when the frame was not rendered).
  std::vector<std::byte> settings_after_pre_render;
  std::vector<std::byte> settings_after_render;
  std::vector<LayerCheckoutCall> layer_checkouts;

  // Absent when the frame was not rendered (pre-render failed, or the request said so).
  std::optional<CommandResult> render;
  // Each progress call of the render: (current, total).
  std::vector<std::pair<A_long, A_long>> progress;
  long abort_calls = 0;
  WorldBuffer output;

  // The pre-render's error, else the render's.
  PF_Err err() const { return pre_render.err != PF_Err_NONE ? pre_render.err : render ? render->err : 0; }
};

// Runs pre-render and, unless it fails or the request says otherwise, render for one frame. Reaches
// the fault plan's kFirstFrameMark first.
// Throws std::invalid_argument without an input, WorldSizeError for an output size the host
// refuses.
FrameResult RenderFrame(Effect& effect, const FrameRequest& request);

}  // namespace host
