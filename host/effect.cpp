#include "host/effect.h"

#include <cstring>

#include "host/frame_context.h"
#include "host/suite_registry.h"

namespace host {

std::string CommandResult::return_msg() const {
  return std::string(out.return_msg, strnlen(out.return_msg, sizeof(out.return_msg)));
}

Effect::Effect(const Module& module, Session& session, EffectSettings settings)
    : Effect(module.entry_point(), session, settings) {}

Effect::Effect(PF_EntryPointFunc entry_point, Session& session, EffectSettings settings)
    : entry_point_(entry_point),
      session_(session),
      settings_(settings),
      interact_(standard_interact_callbacks()),
      utils_(standard_util_callbacks()),
      controls_(session.ledger()) {}

PF_InData Effect::make_in_data() {
  PF_InData in{};
  in.inter = interact_;
  in.utils = &utils_;
  in.effect_ref = effect_ref();
  in.version = settings_.version;
  in.appl_id = settings_.appl_id;
  in.num_params = static_cast<A_long>(params_.size());
  in.current_time = settings_.current_time;
  in.time_step = settings_.time_step;
  in.total_time = settings_.total_time;
  in.time_scale = settings_.time_scale;
  in.width = settings_.width;
  in.height = settings_.height;
  in.extent_hint = {0, 0, settings_.width, settings_.height};
  in.downsample_x = {1, 1};
  in.downsample_y = {1, 1};
  in.pixel_aspect_ratio = {1, 1};
  in.global_data = global_data_;
  in.sequence_data = sequence_data_;
  in.pica_basicP = settings_.basic_suite ? const_cast<SPBasicSuite*>(basic_suite()) : nullptr;
  return in;
}

CommandResult Effect::run(PF_Cmd cmd, const CommandInputs& inputs) {
  PF_InData in = make_in_data();
  if (inputs.time) {
    in.current_time = inputs.time->current_time;
    in.time_step = inputs.time->time_step;
    in.time_scale = inputs.time->time_scale;
  }
  CommandResult result;
  result.out = inputs.out.value_or(PF_OutData{});
  const PF_Handle sequence_before = result.out.sequence_data;
  {
    CallScope scope(session_, this);
    result.err = entry_point_(cmd, &in, &result.out, inputs.params, inputs.output, inputs.extra);
  }
  keep_handles(cmd, result.out, sequence_before);
  return result;
}

void Effect::keep_handles(PF_Cmd cmd, const PF_OutData& out, PF_Handle sequence_before) {
  switch (cmd) {
    case PF_Cmd_GLOBAL_SETUP:
      global_data_ = out.global_data;
      global_out_flags_ = out.out_flags;
      break;
    case PF_Cmd_GLOBAL_SETDOWN:
      global_data_ = nullptr;
      break;
    case PF_Cmd_SEQUENCE_SETUP:
    case PF_Cmd_SEQUENCE_RESETUP:
      sequence_data_ = out.sequence_data;
      break;
    case PF_Cmd_SEQUENCE_SETDOWN:
      sequence_data_ = nullptr;
      break;
    default:
      if (out.sequence_data != nullptr && out.sequence_data != sequence_before)
        sequence_data_ = out.sequence_data;
      break;
  }
}

Effect* Effect::from_ref(PF_ProgPtr effect_ref) {
  Effect* effect = Session::current_effect();
  if (effect != nullptr && effect->effect_ref() == effect_ref) return effect;
  if (Session* session = Session::current())
    session->ledger().note_misuse("a callback with a wrong effect_ref");
  return nullptr;
}

PF_Err Effect::add_param(PF_ParamIndex index, const PF_ParamDef* def) {
  if (def == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  // -1 appends; so does the index the next parameter would get anyway.
  if (index != -1 && index != static_cast<PF_ParamIndex>(params_.size())) return PF_Err_INVALID_INDEX;
  return params_.declare(*def);
}

PF_Err Effect::checkout_param(PF_ParamIndex index, A_long what_time, A_u_long time_scale,
                              PF_ParamDef* param) {
  if (param == nullptr || time_scale == 0) return PF_Err_BAD_CALLBACK_PARAM;
  if (index < 0 || static_cast<std::size_t>(index) >= params_.size()) return PF_Err_INVALID_INDEX;
  const double seconds = static_cast<double>(what_time) / time_scale;
  params_.checkout(index, seconds, *param);
  if (param->param_type == PF_Param_LAYER) {
    if (const FrameContext* frame = FrameContext::current_for(*this)) {
      frame->supply_layer(index, param->u.ld);
    } else if (layer_source_) {
      layer_source_(index, seconds, param->u.ld);
    }
  }
  {
    std::lock_guard lock(checkouts_mutex_);
    checkouts_.emplace(param, index);
  }
  session_.ledger().acquire(Resource::ParamCheckout, "param " + std::to_string(index));
  return PF_Err_NONE;
}

PF_Err Effect::checkin_param(const PF_ParamDef* param) {
  PF_ParamIndex index = 0;
  {
    std::lock_guard lock(checkouts_mutex_);
    auto it = checkouts_.find(param);
    if (it == checkouts_.end()) {
      session_.ledger().note_misuse("checkin_param of a definition that was not checked out");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    index = it->second;
    checkouts_.erase(it);
  }
  session_.ledger().release(Resource::ParamCheckout, "param " + std::to_string(index));
  return PF_Err_NONE;
}

}  // namespace host
