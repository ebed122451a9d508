#pragma once
// A user's setting of one parameter (`--set NAME=VALUE`, keyframes `NAME=V@F,V@F,...`, or an entry of a
// `--params` file), checked against the parameter's description.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fxhost/cli/image_size.h"
#include "fxhost/cli/param_info.h"
#include "fxhost/files/layer_source.h"

namespace fxhost {

// The value that sets a layer parameter to no layer, as `fxhost info` shows it.
inline constexpr std::string_view kNoLayer = "none";

struct Keyframe {
  int frame = 0;
  double value = 0;  // in the parameter's displayed unit (see ParamInfo)
  bool operator==(const Keyframe&) const = default;
};

struct ParamSetting {
  int index = 0;
  std::string name;
  ParamType type = ParamType::kSlider;
  // Every type but layer: one key for a constant value (its frame means nothing), or keys in ascending
  // frame order, each frame once, when `animated`.
  std::vector<Keyframe> keys;
  bool animated = false;
  LayerSource layer;  // layer parameters
};

// The value at `frame`, in the displayed unit. Sliders of every kind are linear between keys; checkboxes
// and popups hold each key's value until the next key. Before the first key and after the last the
// value is held.
double ValueAt(const ParamSetting& setting, double frame);

// The value the host stores for a displayed value of this type: sliders rounded to whole numbers, fixed
// sliders as 16.16 fixed point, checkboxes 0 or 1, popups the 1-based choice. (Float sliders are stored
// as the double itself.)
std::int32_t StoredInteger(ParamType type, double displayed);

// The parameter named `name`: its declared name exactly, else the one parameter whose name matches
// ignoring case. Throws InputError "unknown parameter ..." listing the names there are.
const ParamInfo& FindParam(std::span<const ParamInfo> params, std::string_view name);

// Parses VALUE for `param`:
// - sliders: numbers (a fixed slider in its displayed unit, percent, a trailing '%' allowed), checked
//   against the valid range, whole numbers for plain sliders;
// - checkboxes: on/off, 1/0, true/false (any case);
// - popups: a choice's 1-based index or its label;
// - layers: "" or "none" (any case) for no layer, a file (or sequence pattern, or movie, with an optional
// "@+N" frame offset),
//   or "testcard:WxH"; never keyframes. A relative path is taken in `base` when given.
// Keyframes are V@F,V@F,... (value at frame). Throws InputError with a one-line message.
ParamSetting ParseParamValue(const ParamInfo& param, std::string_view value, ImageSize card_size = {},
                             const std::filesystem::path& base = {});

// One value (not keyframes) of a parameter other than a layer, in the displayed unit, checked as above.
double ParseParamScalar(const ParamInfo& param, std::string_view text);

// A setting of `param` from keys already parsed: one key for a constant when not `animated`, else keys
// in any order, sorted here. Throws InputError when two keys share a frame (`context` starts the message).
ParamSetting MakeSetting(const ParamInfo& param, std::vector<Keyframe> keys, bool animated,
                         std::string_view context);

// Parses NAME=VALUE (the name may contain spaces; the first '=' ends it).
ParamSetting ParseSetArgument(std::string_view argument, std::span<const ParamInfo> params,
                              ImageSize card_size = {});

// Adds `setting` to `settings`, replacing an earlier setting of the same parameter: the last one wins.
void MergeSetting(std::vector<ParamSetting>& settings, ParamSetting setting);

// The displayed value as a short text: "3", "0.25", "50".
std::string FormatNumber(double value);

}  // namespace fxhost
