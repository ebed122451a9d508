#include "host/param_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace host {

namespace {

bool known_type(PF_ParamType type) {
  switch (type) {
    case PF_Param_LAYER:
    case PF_Param_SLIDER:
    case PF_Param_FIX_SLIDER:
    case PF_Param_CHECKBOX:
    case PF_Param_POPUP:
    case PF_Param_FLOAT_SLIDER:
      return true;
    default:
      return false;
  }
}

bool holds_between_keys(PF_ParamType type) {
  return type == PF_Param_POPUP || type == PF_Param_CHECKBOX;
}

double interpolate(const std::vector<Keyframe>& keys, double seconds, bool hold) {
  if (seconds <= keys.front().seconds) return keys.front().value;
  if (seconds >= keys.back().seconds) return keys.back().value;
  auto after = std::upper_bound(keys.begin(), keys.end(), seconds,
                                [](double t, const Keyframe& key) { return t < key.seconds; });
  const Keyframe& b = *after;
  const Keyframe& a = *(after - 1);
  if (hold || b.seconds == a.seconds) return a.value;
  return a.value + (b.value - a.value) * (seconds - a.seconds) / (b.seconds - a.seconds);
}

// Writes `value` (in the parameter's own units) into the definition's value field.
void write_value(PF_ParamDef& def, double value) {
  switch (def.param_type) {
    case PF_Param_FLOAT_SLIDER:
      def.u.fs_d.value = value;
      break;
    case PF_Param_FIX_SLIDER:
      def.u.fd.value = static_cast<PF_Fixed>(std::lround(value * PF_Fixed_ONE));
      break;
    case PF_Param_SLIDER:
      def.u.sd.value = static_cast<A_long>(std::lround(value));
      break;
    case PF_Param_POPUP:
      def.u.pd.value = static_cast<A_long>(std::lround(value));
      break;
    case PF_Param_CHECKBOX:
      def.u.bd.value = value != 0 ? 1 : 0;
      break;
    default:
      break;  // a layer has no value of its own
  }
}

}  // namespace

double declared_value(const PF_ParamDef& def) {
  switch (def.param_type) {
    case PF_Param_FLOAT_SLIDER:
      return def.u.fs_d.value;
    case PF_Param_FIX_SLIDER:
      return static_cast<double>(def.u.fd.value) / PF_Fixed_ONE;
    case PF_Param_SLIDER:
      return def.u.sd.value;
    case PF_Param_POPUP:
      return def.u.pd.value;
    case PF_Param_CHECKBOX:
      return def.u.bd.value;
    default:
      return 0;
  }
}

ParamStore::ParamStore() {
  Parameter input;
  input.def.param_type = PF_Param_LAYER;
  std::strcpy(input.def.name, "Input Layer");
  params_.push_back(std::move(input));
}

PF_Err ParamStore::declare(const PF_ParamDef& def) {
  if (!known_type(def.param_type)) return PF_Err_UNRECOGNIZED_PARAM_TYPE;
  std::lock_guard lock(mutex_);
  Parameter& param = params_.emplace_back();
  param.def = def;
  // The name need not be terminated within its field; keep what fits.
  param.def.name[PF_MAX_EFFECT_PARAM_NAME_LEN] = 0;
  if (def.param_type == PF_Param_POPUP) {
    param.choices = def.u.pd.namesptr != nullptr ? def.u.pd.namesptr : "";
    param.def.u.pd.namesptr = param.choices.c_str();
  } else if (def.param_type == PF_Param_CHECKBOX) {
    param.label = def.u.bd.nameptr != nullptr ? def.u.bd.nameptr : "";
    param.def.u.bd.nameptr = param.label.c_str();
  }
  param.constant = declared_value(def);
  return PF_Err_NONE;
}

std::size_t ParamStore::size() const {
  std::lock_guard lock(mutex_);
  return params_.size();
}

const Parameter& ParamStore::get(PF_ParamIndex index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= params_.size()) {
    throw std::out_of_range("no parameter at index " + std::to_string(index));
  }
  return params_[static_cast<std::size_t>(index)];
}

Parameter& ParamStore::get(PF_ParamIndex index) {
  return const_cast<Parameter&>(static_cast<const ParamStore&>(*this).get(index));
}

Parameter ParamStore::at(PF_ParamIndex index) const {
  std::lock_guard lock(mutex_);
  return get(index);
}

std::optional<PF_ParamIndex> ParamStore::find(std::string_view name) const {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < params_.size(); ++i) {
    if (params_[i].def.name == name) return static_cast<PF_ParamIndex>(i);
  }
  return std::nullopt;
}

void ParamStore::set_value(PF_ParamIndex index, double value) {
  std::lock_guard lock(mutex_);
  Parameter& param = get(index);
  if (param.constant == value && param.keys.empty()) return;
  param.constant = value;
  param.keys.clear();
  note_change(param);
}

void ParamStore::set_keyframes(PF_ParamIndex index, std::vector<Keyframe> keys) {
  std::sort(keys.begin(), keys.end(),
            [](const Keyframe& a, const Keyframe& b) { return a.seconds < b.seconds; });
  std::lock_guard lock(mutex_);
  Parameter& param = get(index);
  const auto same = [](const Keyframe& a, const Keyframe& b) {
    return a.seconds == b.seconds && a.value == b.value;
  };
  if (std::equal(param.keys.begin(), param.keys.end(), keys.begin(), keys.end(), same)) return;
  param.keys = std::move(keys);
  note_change(param);
}

void ParamStore::touch(PF_ParamIndex index) {
  std::lock_guard lock(mutex_);
  note_change(get(index));
}

std::uint64_t ParamStore::revision() const {
  std::lock_guard lock(mutex_);
  return revision_;
}

double ParamStore::value_at(PF_ParamIndex index, double seconds) const {
  std::lock_guard lock(mutex_);
  const Parameter& param = get(index);
  if (param.keys.empty()) return param.constant;
  return interpolate(param.keys, seconds, holds_between_keys(param.def.param_type));
}

void ParamStore::checkout(PF_ParamIndex index, double seconds, PF_ParamDef& out) const {
  const double value = value_at(index, seconds);
  std::lock_guard lock(mutex_);
  out = get(index).def;
  write_value(out, value);
}

}  // namespace host
