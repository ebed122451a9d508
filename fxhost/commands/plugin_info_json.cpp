#include "fxhost/commands/plugin_info_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "fxhost/cli/input_error.h"

namespace fxhost {
namespace {

using nlohmann::json;

bool IsSlider(ParamType type) {
  return type == ParamType::kSlider || type == ParamType::kFixedSlider || type == ParamType::kFloatSlider;
}

// A displayed value as JSON: booleans for checkboxes, whole numbers for sliders and popups.
json ValueJson(ParamType type, double value) {
  if (type == ParamType::kCheckbox) return value != 0;
  if (type == ParamType::kSlider || type == ParamType::kPopup) return static_cast<long long>(value);
  return value;
}

const ParamSetting* FindSetting(std::span<const ParamSetting> settings, int index) {
  const auto found = std::find_if(settings.begin(), settings.end(),
                                  [index](const ParamSetting& s) { return s.index == index; });
  return found == settings.end() ? nullptr : &*found;
}

json ParamJson(const ParamInfo& p, const ParamSetting* setting) {
  json entry = {{"index", p.index}, {"name", p.name}, {"type", ParamTypeName(p.type)}, {"hidden", p.hidden}};
  if (IsSlider(p.type)) {
    entry["valid_min"] = p.valid_min;
    entry["valid_max"] = p.valid_max;
    entry["slider_min"] = p.slider_min;
    entry["slider_max"] = p.slider_max;
    entry["precision"] = p.precision;
    entry["percent"] = p.percent;
  } else if (p.type == ParamType::kPopup) {
    entry["choices"] = p.choices;
  } else if (p.type == ParamType::kCheckbox) {
    entry["label"] = p.checkbox_label;
  }
  if (p.type == ParamType::kLayer) {
    entry["default"] = nullptr;
    const std::string text = setting ? LayerSourceText(setting->layer) : "";
    entry["value"] = text.empty() ? json(nullptr) : json(text);
    return entry;
  }
  entry["default"] = ValueJson(p.type, p.default_value);
  if (setting && setting->animated) {
    json keys = json::array();
    for (const Keyframe& k : setting->keys)
      keys.push_back({{"frame", k.frame}, {"value", ValueJson(p.type, k.value)}});
    entry["keyframes"] = keys;
  } else {
    entry["value"] =
        ValueJson(p.type, setting && !setting->keys.empty() ? setting->keys.front().value : p.default_value);
  }
  return entry;
}

std::string Range(const ParamInfo& p, double min, double max) {
  if (!IsSlider(p.type)) return "";
  return FormatNumber(min) + " to " + FormatNumber(max) + (p.percent ? " %" : "");
}

// A displayed value of a parameter other than a layer as the table shows it: "on", "2 \"Behind\"", "50 %".
std::string ValueText(const ParamInfo& p, double value) {
  switch (p.type) {
    case ParamType::kCheckbox:
      return value != 0 ? "on" : "off";
    case ParamType::kPopup: {
      const auto i = static_cast<std::size_t>(value);
      return FormatNumber(value) + (i >= 1 && i <= p.choices.size() ? " \"" + p.choices[i - 1] + "\"" : "");
    }
    default:
      return FormatNumber(value) + (p.percent ? " %" : "");
  }
}

std::string DefaultText(const ParamInfo& p) {
  return p.type == ParamType::kLayer ? std::string(kNoLayer) : ValueText(p, p.default_value);
}

// The value the settings give (the default without one), keyframes as --set takes them: "0@0,10@95".
std::string CurrentText(const ParamInfo& p, const ParamSetting* setting) {
  if (!setting) return DefaultText(p);
  if (p.type == ParamType::kLayer) {
    const std::string text = LayerSourceText(setting->layer);
    return text.empty() ? std::string(kNoLayer) : text;
  }
  if (!setting->animated) return ValueText(p, setting->keys.front().value);
  std::string keys;
  for (const Keyframe& k : setting->keys) {
    const std::string value =
        p.type == ParamType::kCheckbox ? (k.value != 0 ? "on" : "off") : FormatNumber(k.value);
    keys += (keys.empty() ? "" : ",") + value + "@" + std::to_string(k.frame);
  }
  return keys;
}

std::string NotesText(const ParamInfo& p) {
  if (p.type == ParamType::kPopup) {
    std::string notes;
    for (std::size_t i = 0; i < p.choices.size(); ++i) {
      notes += (i ? ", " : "") + std::to_string(i + 1) + " \"" + p.choices[i] + "\"";
    }
    return notes;
  }
  if (p.type == ParamType::kCheckbox && !p.checkbox_label.empty())
    return "label \"" + p.checkbox_label + "\"";
  if (IsSlider(p.type) && p.precision > 0) return "precision " + std::to_string(p.precision);
  return "";
}

// A JSON scalar as the text --set would take for it.
std::string ScalarText(const json& value, const std::string& context) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return value.get<bool>() ? "on" : "off";
  if (value.is_number()) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value.get<double>());
    return text;
  }
  if (value.is_null()) return "";
  throw InputError(context + ": a value must be a number, true/false, a string or null");
}

// `value` as a whole number from `min` to `max`: a number outside that range is bad input, not a value
// wrapped into it. `what` names the field in messages.
long long WholeNumberIn(const json& value, long long min, long long max, const std::string& what) {
  const std::string range = " (" + std::to_string(min) + " to " + std::to_string(max) + ")";
  if (value.is_number_unsigned()) {
    const auto number = value.get<unsigned long long>();
    if (number > static_cast<unsigned long long>(max))
      throw InputError(what + " " + std::to_string(number) + " is out of range" + range);
    return static_cast<long long>(number);
  }
  if (value.is_number_integer()) {
    const auto number = value.get<long long>();
    if (number < min || number > max)
      throw InputError(what + " " + std::to_string(number) + " is out of range" + range);
    return number;
  }
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (number == std::floor(number) &&
        (number < static_cast<double>(min) || number > static_cast<double>(max)))
      throw InputError(what + " " + FormatNumber(number) + " is out of range" + range);
  }
  throw InputError(what + " is not a whole number");
}

ParamSetting EntrySetting(const json& entry, std::span<const ParamInfo> params, const std::string& context,
                          ImageSize card_size, const std::filesystem::path& base) {
  if (!entry.is_object()) throw InputError(context + ": not an object");
  const ParamInfo* param = nullptr;
  if (entry.contains("name")) {
    if (!entry["name"].is_string()) throw InputError(context + ": \"name\" is not a string");
    param = &FindParam(params, entry["name"].get<std::string>());
  }
  if (entry.contains("index")) {
    const auto index = static_cast<int>(
        WholeNumberIn(entry["index"], 0, std::numeric_limits<int>::max(), context + ": \"index\""));
    const auto found =
        std::find_if(params.begin(), params.end(), [index](const ParamInfo& p) { return p.index == index; });
    if (found == params.end())
      throw InputError(context + ": no parameter has index " + std::to_string(index));
    if (param && param != &*found) {
      throw InputError(context + ": index " + std::to_string(index) + " is \"" + found->name + "\", not \"" +
                       param->name + "\"");
    }
    param = &*found;
  }
  if (!param) throw InputError(context + ": neither \"name\" nor \"index\"");

  if (entry.contains("keyframes")) {
    const json& list = entry["keyframes"];
    if (param->type == ParamType::kLayer)
      throw InputError(context + ": " + param->name + " takes no keyframes");
    if (!list.is_array() || list.empty()) throw InputError(context + ": \"keyframes\" is not a list of keys");
    std::vector<Keyframe> keys;
    for (const json& key : list) {
      if (!key.is_object() || !key.contains("frame") || !key["frame"].is_number() || !key.contains("value")) {
        throw InputError(context + ": each key needs a whole-number \"frame\" and a \"value\"");
      }
      const auto frame =
          static_cast<int>(WholeNumberIn(key["frame"], std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max(), context + ": \"frame\""));
      keys.push_back({frame, ParseParamScalar(*param, ScalarText(key["value"], context))});
    }
    return MakeSetting(*param, std::move(keys), true, context + ": " + param->name);
  }
  const json& value = entry["value"];
  if (param->type == ParamType::kLayer && !value.is_string() && !value.is_null()) {
    throw InputError(context + ": " + param->name + " takes a file name, \"testcard:WxH\" or null");
  }
  return ParseParamValue(*param, ScalarText(value, context), card_size, base);
}

}  // namespace

json InfoJson(const PluginDescription& plugin, std::span<const ParamSetting> settings) {
  json parameters = json::array();
  for (const ParamInfo& p : plugin.params) parameters.push_back(ParamJson(p, FindSetting(settings, p.index)));
  return {{"plugin", plugin.plugin},
          {"about", plugin.about},
          {"descriptor", plugin.descriptor},
          {"parameters", parameters}};
}

std::string InfoTable(const PluginDescription& plugin, std::span<const ParamSetting> settings) {
  std::vector<std::vector<std::string>> rows{{"#", "Name", "Type", "Valid range", "Slider range", "Default",
                                              "Value", "Controls", "Choices / notes"}};
  for (const ParamInfo& p : plugin.params) {
    rows.push_back({std::to_string(p.index), p.name, std::string(ParamTypeName(p.type)),
                    Range(p, p.valid_min, p.valid_max), Range(p, p.slider_min, p.slider_max), DefaultText(p),
                    CurrentText(p, FindSetting(settings, p.index)), p.hidden ? "hidden" : "shown",
                    NotesText(p)});
  }
  std::vector<std::size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::ostringstream out;
  out << "Plug-in: " << plugin.plugin << "\n\n" << plugin.about << "\n";
  if (!plugin.descriptor.empty()) {
    out << "\n";
    for (const auto& [key, value] : plugin.descriptor.items()) {
      out << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
    }
  }
  out << "\nParameters:\n";
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << "  " << line << "\n";
  }
  return out.str();
}

std::vector<ParamSetting> SettingsFromJson(const json& document, std::span<const ParamInfo> params,
                                           std::string_view source, ImageSize card_size,
                                           const std::filesystem::path& base) {
  const std::string context = "--params \"" + std::string(source) + "\"";
  if (!document.is_object() || !document.contains("parameters") || !document["parameters"].is_array()) {
    throw InputError(context +
                     ": expected an object with a \"parameters\" list (as fxhost info --json writes)");
  }
  std::vector<ParamSetting> settings;
  const json& list = document["parameters"];
  for (std::size_t i = 0; i < list.size(); ++i) {
    const json& entry = list[i];
    if (entry.is_object() && !entry.contains("value") && !entry.contains("keyframes")) continue;
    const std::string where = context + " parameters[" + std::to_string(i) + "]";
    try {
      MergeSetting(settings, EntrySetting(entry, params, where, card_size, base));
    } catch (const InputError& e) {
      // Messages from the value parsers name the parameter but not the file.
      if (std::string_view(e.what()).starts_with(where)) throw;
      throw InputError(where + ": " + e.what());
    }
  }
  return settings;
}

std::vector<ParamSetting> ReadParamsFile(const std::filesystem::path& path, std::span<const ParamInfo> params,
                                         ImageSize card_size) {
  const std::string context = "--params \"" + path.string() + "\"";
  // Only a regular file: opening a FIFO or a device for reading could wait for ever.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) throw InputError(context + ": does not exist");
  if (!std::filesystem::is_regular_file(status)) throw InputError(context + ": is not a regular file");
  std::ifstream in(path);
  if (!in) throw InputError(context + ": cannot be read");
  json document;
  try {
    document = json::parse(in);
  } catch (const json::out_of_range& e) {
    // The parser's one range error: a number beyond a double ("number overflow parsing '1e400'").
    const std::string_view what = e.what();
    const auto first = what.find('\'');
    const auto last = what.rfind('\'');
    const std::string number(first < last ? what.substr(first + 1, last - first - 1) : what);
    throw InputError(context + ": the number " + number + " is out of range");
  } catch (const json::exception& e) {
    const std::string_view what = e.what();
    const auto detail = what.find("] ");
    throw InputError(context + ": not valid JSON: " +
                     std::string(detail == std::string_view::npos ? what : what.substr(detail + 2)));
  }
  return SettingsFromJson(document, params, path.string(), card_size, path.parent_path());
}

}  // namespace fxhost
