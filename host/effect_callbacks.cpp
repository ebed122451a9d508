// The interact and utility callbacks in in_data. Each passes the gate under its own name first.
#include "host/effect.h"
#include "host/frame_context.h"
#include "host/gate.h"
#include "host/host_functions.h"
#include "host/world_buffer.h"

namespace host {

namespace {

PF_Err checkout_param(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long what_time, A_long time_step,
                      A_u_long time_scale, PF_ParamDef* param) {
  if (auto fault = gate("checkout_param", effect_ref, index, what_time, time_step, time_scale)) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return effect->checkout_param(index, what_time, time_scale, param);
}

PF_Err checkin_param(PF_ProgPtr effect_ref, PF_ParamDef* param) {
  if (auto fault = gate("checkin_param", effect_ref, static_cast<const void*>(param))) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return effect->checkin_param(param);
}

PF_Err add_param(PF_ProgPtr effect_ref, PF_ParamIndex index, PF_ParamDefPtr def) {
  if (auto fault = gate("add_param", effect_ref, index, def != nullptr ? def->name : nullptr)) {
    return fault->code_or(PF_Err_OUT_OF_MEMORY);
  }
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return effect->add_param(index, def);
}

// During a frame, abort and progress answer as the frame's request says (see render_frame.h);
// outside one they always answer 0.
PF_Err abort(PF_ProgPtr effect_ref) {
  if (auto fault = gate("abort", effect_ref)) return fault->code_or(PF_Interrupt_CANCEL);
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current_for(*effect);
  return frame != nullptr ? frame->abort() : PF_Err_NONE;
}

PF_Err progress(PF_ProgPtr effect_ref, A_long current, A_long total) {
  if (auto fault = gate("progress", effect_ref, current, total)) return fault->code_or(PF_Interrupt_CANCEL);
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current_for(*effect);
  return frame != nullptr ? frame->progress(current, total) : PF_Err_NONE;
}

PF_Err fill(PF_ProgPtr effect_ref, const PF_Pixel* color, const PF_Rect* dst_rect, PF_EffectWorld* world) {
  if (auto fault = gate("fill", effect_ref, static_cast<const void*>(color),
                        static_cast<const void*>(dst_rect), static_cast<const void*>(world))) {
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  }
  if (Effect::from_ref(effect_ref) == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return FillWorld(color, dst_rect, world);
}

}  // namespace

PF_InteractCallbacks standard_interact_callbacks() {
  return {checkout_param, checkin_param, add_param, abort, progress};
}

PF_UtilCallbacks standard_util_callbacks() {
  return {fill, host_new_handle, host_dispose_handle, {host_ceil, host_floor, host_sprintf, host_strcpy}};
}

}  // namespace host
