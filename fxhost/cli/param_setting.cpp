#include "fxhost/cli/param_setting.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "fxhost/cli/input_error.h"
#include "fxhost/cli/text_compare.h"

namespace fxhost {
namespace {

std::string Quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool ParseDouble(std::string_view text, double& out) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(out);
}

std::string ChoiceList(const ParamInfo& param) {
  std::string list;
  for (std::size_t i = 0; i < param.choices.size(); ++i) {
    list += (i ? ", " : "") + std::to_string(i + 1) + " " + Quoted(param.choices[i]);
  }
  return list;
}

// One value of a non-layer parameter, in the displayed unit; throws with a message naming `param`.
}  // namespace

double ParseParamScalar(const ParamInfo& param, std::string_view text) {
  const std::string prefix = param.name + ": ";
  text = Trim(text);
  switch (param.type) {
    case ParamType::kCheckbox: {
      for (std::string_view on : {"on", "1", "true"}) {
        if (EqualNoCase(text, on)) return 1;
      }
      for (std::string_view off : {"off", "0", "false"}) {
        if (EqualNoCase(text, off)) return 0;
      }
      throw InputError(prefix + Quoted(text) + " is not on/off (also 1/0, true/false)");
    }
    case ParamType::kPopup: {
      for (std::size_t i = 0; i < param.choices.size(); ++i) {
        if (text == param.choices[i]) return static_cast<double>(i + 1);
      }
      for (std::size_t i = 0; i < param.choices.size(); ++i) {
        if (EqualNoCase(text, param.choices[i])) return static_cast<double>(i + 1);
      }
      double index = 0;
      if (ParseDouble(text, index) && index == std::floor(index) && index >= 1 &&
          index <= static_cast<double>(param.choices.size())) {
        return index;
      }
      throw InputError(prefix + Quoted(text) + " is not one of the choices " + ChoiceList(param));
    }
    case ParamType::kSlider:
    case ParamType::kFixedSlider:
    case ParamType::kFloatSlider: {
      std::string_view number = text;
      if (param.percent && !number.empty() && number.back() == '%')
        number = Trim(number.substr(0, number.size() - 1));
      double value = 0;
      if (!ParseDouble(number, value)) throw InputError(prefix + Quoted(text) + " is not a number");
      if (param.type == ParamType::kSlider && value != std::floor(value)) {
        throw InputError(prefix + Quoted(text) + " is not a whole number");
      }
      if (value < param.valid_min || value > param.valid_max) {
        throw InputError(prefix + FormatNumber(value) + " is outside the valid range " +
                         FormatNumber(param.valid_min) + " to " + FormatNumber(param.valid_max));
      }
      return value;
    }
    case ParamType::kLayer:
      break;
  }
  throw InputError(prefix + "takes a layer, not a value");
}

namespace {

// Whether `text` is a keyframe list rather than a single value. A popup label that holds an '@' itself
// stays a single value.
bool LooksLikeKeyframes(const ParamInfo& param, std::string_view text) {
  if (text.find('@') == std::string_view::npos) return false;
  return std::none_of(param.choices.begin(), param.choices.end(),
                      [&](const std::string& choice) { return EqualNoCase(Trim(text), choice); });
}

std::vector<Keyframe> ParseKeyframes(const ParamInfo& param, std::string_view text) {
  const std::string context = param.name + ": keyframes " + Quoted(text);
  std::vector<Keyframe> keys;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto comma = std::min(text.find(',', start), text.size());
    const std::string_view item = Trim(text.substr(start, comma - start));
    const auto at = item.rfind('@');
    if (item.empty() || at == std::string_view::npos) {
      throw InputError(context + ": expected VALUE@FRAME, got " + Quoted(item));
    }
    const std::string_view frame_text = Trim(item.substr(at + 1));
    int frame = 0;
    auto [end, ec] = std::from_chars(frame_text.data(), frame_text.data() + frame_text.size(), frame);
    if (ec == std::errc::result_out_of_range && end == frame_text.data() + frame_text.size())
      throw InputError(context + ": frame " + std::string(frame_text) + " is out of range");
    if (frame_text.empty() || ec != std::errc() || end != frame_text.data() + frame_text.size()) {
      throw InputError(context + ": " + Quoted(frame_text) + " is not a frame number");
    }
    keys.push_back({frame, ParseParamScalar(param, item.substr(0, at))});
    start = comma + 1;
  }
  return MakeSetting(param, std::move(keys), true, context).keys;
}

}  // namespace

std::string FormatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

double ValueAt(const ParamSetting& setting, double frame) {
  if (setting.keys.empty()) return 0;
  const auto& keys = setting.keys;
  if (!setting.animated || frame <= keys.front().frame) return keys.front().value;
  if (frame >= keys.back().frame) return keys.back().value;
  const auto next = std::upper_bound(keys.begin(), keys.end(), frame,
                                     [](double f, const Keyframe& k) { return f < k.frame; });
  const Keyframe& b = *next;
  const Keyframe& a = *(next - 1);
  if (setting.type == ParamType::kCheckbox || setting.type == ParamType::kPopup) return a.value;
  const double t = (frame - a.frame) / (b.frame - a.frame);
  return a.value + (b.value - a.value) * t;
}

std::int32_t StoredInteger(ParamType type, double displayed) {
  if (type == ParamType::kFixedSlider) return ToFixed(displayed);
  const double rounded = std::round(displayed);
  if (!(rounded > -2147483648.0)) return INT32_MIN;
  if (rounded > 2147483647.0) return INT32_MAX;
  return static_cast<std::int32_t>(rounded);
}

const ParamInfo& FindParam(std::span<const ParamInfo> params, std::string_view name) {
  for (const ParamInfo& p : params) {
    if (p.name == name) return p;
  }
  const ParamInfo* match = nullptr;
  int matches = 0;
  for (const ParamInfo& p : params) {
    if (EqualNoCase(p.name, name)) {
      match = &p;
      ++matches;
    }
  }
  if (matches == 1) return *match;
  std::string known;
  for (const ParamInfo& p : params) known += (known.empty() ? "" : ", ") + Quoted(p.name);
  throw InputError("unknown parameter " + Quoted(name) + " (the parameters are " + known + ")");
}

ParamSetting ParseParamValue(const ParamInfo& param, std::string_view value, ImageSize card_size,
                             const std::filesystem::path& base) {
  ParamSetting setting{param.index, param.name, param.type, {}, false, {}};
  if (param.type == ParamType::kLayer) {
    if (EqualNoCase(Trim(value), kNoLayer)) return setting;  // a file named "none" is "./none"
    try {
      setting.layer = ParseLayerSource(Trim(value), card_size, base);
    } catch (const InputError& e) {
      throw InputError(param.name + ": " + e.what());
    }
    return setting;
  }
  if (Trim(value).empty()) throw InputError(param.name + ": no value given");
  if (LooksLikeKeyframes(param, value)) {
    setting.keys = ParseKeyframes(param, value);
    setting.animated = true;
  } else {
    setting.keys = {{0, ParseParamScalar(param, value)}};
  }
  return setting;
}

ParamSetting ParseSetArgument(std::string_view argument, std::span<const ParamInfo> params,
                              ImageSize card_size) {
  const auto equals = argument.find('=');
  if (equals == std::string_view::npos || Trim(argument.substr(0, equals)).empty()) {
    throw InputError("--set " + Quoted(argument) + ": expected NAME=VALUE");
  }
  const ParamInfo& param = FindParam(params, Trim(argument.substr(0, equals)));
  return ParseParamValue(param, argument.substr(equals + 1), card_size);
}

ParamSetting MakeSetting(const ParamInfo& param, std::vector<Keyframe> keys, bool animated,
                         std::string_view context) {
  std::sort(keys.begin(), keys.end(), [](const Keyframe& a, const Keyframe& b) { return a.frame < b.frame; });
  const auto twice = std::adjacent_find(
      keys.begin(), keys.end(), [](const Keyframe& a, const Keyframe& b) { return a.frame == b.frame; });
  if (twice != keys.end()) {
    throw InputError(std::string(context) + ": frame " + std::to_string(twice->frame) + " has two keys");
  }
  if (keys.empty()) throw InputError(std::string(context) + ": no keys");
  return ParamSetting{param.index, param.name, param.type, std::move(keys), animated, {}};
}

void MergeSetting(std::vector<ParamSetting>& settings, ParamSetting setting) {
  for (ParamSetting& s : settings) {
    if (s.index == setting.index) {
      s = std::move(setting);
      return;
    }
  }
  settings.push_back(std::move(setting));
}

}  // namespace fxhost
