#include "fxhost/commands/host_params.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

namespace fxhost {
namespace {

// The popup's choices, given to the host as one string "First|Second|...".
std::vector<std::string> SplitChoices(const char* names) {
  std::vector<std::string> choices;
  if (names == nullptr) return choices;
  std::string current;
  for (const char* c = names; *c != '\0'; ++c) {
    if (*c == '|') {
      choices.push_back(current);
      current.clear();
    } else {
      current += *c;
    }
  }
  choices.push_back(current);
  return choices;
}

// A slider's ranges and default, each converted to the displayed unit.
template <typename SliderDef, typename Convert>
void CopyRanges(const SliderDef& def, Convert displayed, ParamInfo& info) {
  info.valid_min = displayed(def.valid_min);
  info.valid_max = displayed(def.valid_max);
  info.slider_min = displayed(def.slider_min);
  info.slider_max = displayed(def.slider_max);
  info.default_value = displayed(def.dephault);
}

std::optional<ParamInfo> Describe(const host::Parameter& param, int index) {
  ParamInfo info;
  info.index = index;
  info.name = param.name();
  const PF_ParamDefUnion& u = param.def.u;
  switch (param.def.param_type) {
    case PF_Param_LAYER:
      info.type = ParamType::kLayer;
      break;
    case PF_Param_SLIDER:
      info.type = ParamType::kSlider;
      CopyRanges(
          u.sd, [](A_long v) { return static_cast<double>(v); }, info);
      break;
    case PF_Param_FIX_SLIDER:
      info.type = ParamType::kFixedSlider;
      CopyRanges(u.fd, FromFixed, info);
      info.precision = u.fd.precision;
      info.percent = (u.fd.display_flags & PF_ValueDisplayFlag_PERCENT) != 0;
      break;
    case PF_Param_FLOAT_SLIDER:
      info.type = ParamType::kFloatSlider;
      CopyRanges(
          u.fs_d, [](double v) { return v; }, info);
      info.precision = u.fs_d.precision;
      info.percent = (u.fs_d.display_flags & PF_ValueDisplayFlag_PERCENT) != 0;
      break;
    case PF_Param_CHECKBOX:
      info.type = ParamType::kCheckbox;
      info.valid_max = info.slider_max = 1;
      info.default_value = u.bd.dephault != 0 ? 1 : 0;
      info.checkbox_label = param.label;
      break;
    case PF_Param_POPUP:
      info.type = ParamType::kPopup;
      info.choices = SplitChoices(u.pd.namesptr);
      info.valid_min = info.slider_min = 1;
      info.valid_max = info.slider_max = u.pd.num_choices;
      info.default_value = u.pd.dephault;
      break;
    default:
      return std::nullopt;
  }
  return info;
}

// The value the host is given for a displayed value: whole numbers where the host stores them, the
// displayed unit (percent) for fixed sliders, which the host converts itself.
double HostValue(ParamType type, double displayed) {
  switch (type) {
    case ParamType::kFixedSlider:
    case ParamType::kFloatSlider:
      return displayed;
    default:
      return StoredInteger(type, displayed);
  }
}

}  // namespace

std::vector<ParamInfo> ParamInfosFromStore(const host::ParamStore& store) {
  std::vector<ParamInfo> params;
  for (std::size_t i = 1; i < store.size(); ++i) {
    const int index = static_cast<int>(i);
    if (auto info = Describe(store.at(index), index)) params.push_back(std::move(*info));
  }
  return params;
}

void ApplySettings(host::ParamStore& store, std::span<const ParamSetting> settings,
                   std::span<const int> frames, const TimeBase& time) {
  for (const ParamSetting& setting : settings) {
    if (setting.type == ParamType::kLayer || setting.keys.empty()) continue;
    if (!setting.animated) {
      store.set_value(setting.index, HostValue(setting.type, setting.keys.front().value));
      continue;
    }
    std::map<int, double> values;  // frame -> displayed value
    for (const Keyframe& key : setting.keys) values[key.frame] = key.value;
    for (int frame : frames) values[frame] = ValueAt(setting, frame);
    std::vector<host::Keyframe> keys;
    keys.reserve(values.size());
    for (const auto& [frame, value] : values)
      keys.push_back(host::Keyframe{FrameSeconds(time, frame), HostValue(setting.type, value)});
    store.set_keyframes(setting.index, std::move(keys));
  }
}

}  // namespace fxhost
