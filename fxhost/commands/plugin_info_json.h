#pragma once
// `fxhost info`: the plug-in's About text, descriptor and parameters as a table or as JSON; and
// `--params FILE.json`, which reads the same JSON back as settings.
//
// The JSON (`fxhost info --json`; every entry may carry "value" or "keyframes", which is what
// `--params` reads, so the output of info is a valid --params file):
// {
//   "plugin": "build/bin/Zelkra15puzzle_CS5.so",
//   "about": "...",
//   "descriptor": {...},                       // what the host library reads from the plug-in
//   "parameters": [
//     {"index": 1, "name": "Time", "type": "float_slider", "hidden": false, "valid_min": -100000,
//     "valid_max": 100000,
//      "slider_min": 0, "slider_max": 10, "precision": 2, "percent": false, "default": 0, "value": 0},
//     {"index": 2, "name": "Missing Tile", "type": "fixed_slider", ..., "percent": true, "default": 100,
//      "keyframes": [{"frame": 0, "value": 0}, {"frame": 24, "value": 100}]},
//     {"index": 3, "name": "Missing Tile Layer", "type": "layer", "default": null, "value": "logo.png"},
//     {"index": 4, "name": "Position", "type": "popup", "choices": ["In front", "Behind"], "default": 1,
//      "value": 2},
//     {"index": 5, "name": "Fit", "type": "checkbox", "label": "", "default": false, "value": true}
//   ]
// }
// "hidden" tells whether the plug-in hid the parameter in the effect's controls for these settings.
// Values are in the unit the user sees (fixed sliders in percent). In a --params file an entry is found
// by "name" (or "index" alone); when both are given they must agree. "value" may be a number, true/false,
// null (no layer) or a string in --set's syntax (including V@F keyframes); "keyframes" is a list of
// {"frame", "value"}. An entry with neither is left as it is; other fields are not read.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "fxhost/cli/image_size.h"
#include "fxhost/cli/param_info.h"
#include "fxhost/cli/param_setting.h"

namespace fxhost {

struct PluginDescription {
  std::string plugin;  // the library's path
  std::string about;   // the About text
  nlohmann::json descriptor = nlohmann::json::object();
  std::vector<ParamInfo> params;
};

// The JSON above; each parameter's "value" is its setting in `settings` when there is one, else its
// default.
nlohmann::json InfoJson(const PluginDescription& plugin, std::span<const ParamSetting> settings = {});

// The same as a text table for people; each parameter's "Value" is its setting in `settings` when there
// is one (keyframes as V@F,V@F,...), else its default.
std::string InfoTable(const PluginDescription& plugin, std::span<const ParamSetting> settings = {});

// The settings a --params document makes. Throws InputError naming the entry and the problem; `source`
// names the document in messages. Relative layer paths are taken in `base` when given.
std::vector<ParamSetting> SettingsFromJson(const nlohmann::json& document, std::span<const ParamInfo> params,
                                           std::string_view source, ImageSize card_size = {},
                                           const std::filesystem::path& base = {});

// Reads and parses a --params file; a missing file or malformed JSON is an InputError too. Relative
// layer paths in it are taken in the file's folder (absolute ones as they are), so the file works from
// any current folder; the settings keep the paths as written (LayerSourceText).
std::vector<ParamSetting> ReadParamsFile(const std::filesystem::path& path, std::span<const ParamInfo> params,
                                         ImageSize card_size = {});

}  // namespace fxhost
