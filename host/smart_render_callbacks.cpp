// The callbacks of the two smart-render passes (PF_PreRenderCallbacks, PF_SmartRenderCallbacks).
// Each passes the gate under its own name, then works on the calling thread's current frame.
#include "host/smart_render_callbacks.h"

#include "host/frame_context.h"
#include "host/gate.h"

namespace host {
namespace {

PF_Err checkout_layer(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long checkout_id,
                      const PF_RenderRequest* req, A_long what_time, A_long time_step, A_u_long time_scale,
                      PF_CheckoutResult* result) {
  if (auto fault = gate("checkout_layer", effect_ref, index, checkout_id, what_time, time_step, time_scale)) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  if (req == nullptr || result == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->checkout_layer(index, checkout_id, *req, what_time, time_step, time_scale, *result);
}

PF_Err checkout_layer_pixels(PF_ProgPtr effect_ref, A_long checkout_id, PF_EffectWorld** pixels) {
  if (auto fault = gate("checkout_layer_pixels", effect_ref, checkout_id)) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->checkout_layer_pixels(checkout_id, pixels);
}

PF_Err checkin_layer_pixels(PF_ProgPtr effect_ref, A_long checkout_id) {
  if (auto fault = gate("checkin_layer_pixels", effect_ref, checkout_id)) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->checkin_layer_pixels(checkout_id);
}

PF_Err checkout_output(PF_ProgPtr effect_ref, PF_EffectWorld** output) {
  if (auto fault = gate("checkout_output", effect_ref)) return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->checkout_output(output);
}

}  // namespace

PF_PreRenderCallbacks pre_render_callbacks() {
  return {checkout_layer};
}

PF_SmartRenderCallbacks smart_render_callbacks() {
  return {checkout_layer_pixels, checkin_layer_pixels, checkout_output};
}

}  // namespace host
