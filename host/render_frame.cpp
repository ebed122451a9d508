#include "host/render_frame.h"

#include <utility>

#include "host/frame_context.h"
#include "host/smart_render_callbacks.h"

namespace host {
namespace {

A_short bit_depth_of(PixelDepth depth) {
  switch (depth) {
    case PixelDepth::k8Bit:
      return 8;
    case PixelDepth::k16Bit:
      return 16;
    case PixelDepth::kFloat:
      return 32;
  }
  return 8;
}

// The frame's pre-render data, owned by the host from the moment pre-render hands it over.
//
// The application releases pre-render data itself: after the smart render of the frame has used
// it, and also when it discards the frame without rendering it (pre-render failed, the render was
// cancelled, or the frame is never rendered). So does this host: the holder frees the data when it
// goes, whichever way the frame ends. Data with a delete function is freed by calling it, as the
// application does; data without one must be a handle of this host (the plug-in hands over a
// handle and sets no delete function), which is disposed of with any locks still on it. Anything
// else cannot be freed and is noted as misuse.
class PreRenderData {
 public:
  PreRenderData(Effect& effect, const PF_PreRenderOutput& output)
      : effect_(effect), data_(output.pre_render_data), delete_func_(output.delete_pre_render_data_func) {}
  ~PreRenderData() { release(); }
  PreRenderData(const PreRenderData&) = delete;
  PreRenderData& operator=(const PreRenderData&) = delete;

  void* data() const { return data_; }

  // The data's bytes, if it is a handle of this host.
  std::vector<std::byte> bytes() const {
    HandleStore& handles = effect_.session().handles();
    const auto handle = static_cast<PF_Handle>(data_);
    const auto size = data_ != nullptr ? handles.size(handle) : std::nullopt;
    if (!size) return {};
    const auto* block = static_cast<const std::byte*>(*handle);
    return std::vector<std::byte>(block, block + *size);
  }

  void release() {
    void* data = std::exchange(data_, nullptr);
    if (data == nullptr) return;
    if (delete_func_ != nullptr) {
      CallScope scope(effect_.session(), &effect_);
      delete_func_(data);
    } else {
      // Any locks go with it; a pointer that is no handle of this host is noted as misuse.
      effect_.session().handles().dispose(static_cast<PF_Handle>(data));
    }
  }

 private:
  Effect& effect_;
  void* data_;
  PF_DeletePreRenderDataFunc delete_func_;
};

PF_RenderRequest default_request(const WorldBuffer& input) {
  PF_RenderRequest request{};
  request.rect = {0, 0, input.width(), input.height()};
  request.field = PF_Field_FRAME;
  request.channel_mask = PF_ChannelMask_ARGB;
  return request;
}

}  // namespace

FrameResult RenderFrame(Effect& effect, const FrameRequest& request) {
  effect.session().faults().mark(kFirstFrameMark);
  FrameContext frame(effect, request);
  FrameScope scope(frame);
  CommandInputs inputs;
  inputs.time = CommandTime{request.current_time, request.time_step, request.time_scale};

  PF_PreRenderInput pre_input{};
  pre_input.output_request = request.output_request.value_or(default_request(*request.input));
  pre_input.bitdepth = bit_depth_of(request.depth);
  PF_PreRenderOutput pre_output{};
  pre_output.result_rect = request.result_rect;
  pre_output.max_result_rect = request.max_result_rect;
  PF_PreRenderCallbacks pre_callbacks = pre_render_callbacks();
  PF_PreRenderExtra pre_extra{&pre_input, &pre_output, &pre_callbacks};
  inputs.extra = &pre_extra;
  CommandResult pre_render = effect.run(PF_Cmd_SMART_PRE_RENDER, inputs);

  PreRenderData data(effect, pre_output);
  std::vector<std::byte> settings_after_pre_render = data.bytes();
  std::optional<CommandResult> render;
  std::vector<std::byte> settings_after_render;
  if (pre_render.err == PF_Err_NONE && request.render) {
    PF_SmartRenderInput render_input{};
    render_input.output_request = pre_input.output_request;
    render_input.bitdepth = pre_input.bitdepth;
    render_input.pre_render_data = data.data();
    PF_SmartRenderCallbacks render_callbacks = smart_render_callbacks();
    PF_SmartRenderExtra render_extra{&render_input, &render_callbacks};
    inputs.extra = &render_extra;
    render = effect.run(PF_Cmd_SMART_RENDER, inputs);
    settings_after_render = data.bytes();
  }
  data.release();
  frame.release_checkouts();

  FrameResult result(frame.take_output());
  result.pre_render = pre_render;
  result.pre_render_output = pre_output;
  result.settings_after_pre_render = std::move(settings_after_pre_render);
  result.settings_after_render = std::move(settings_after_render);
  result.layer_checkouts = frame.layer_checkouts();
  result.render = render;
  result.progress = frame.progress_calls();
  result.abort_calls = frame.abort_calls();
  return result;
}

}  // namespace host
