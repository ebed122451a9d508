#pragma once
// What fxhost knows of one parameter the plug-in declared: enough to check a user's setting, list the
// parameter in `fxhost info`, and convert a setting to the value the host stores.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fxhost {

enum class ParamType { kLayer, kSlider, kFixedSlider, kFloatSlider, kCheckbox, kPopup };

// "layer", "slider", "fixed_slider", "float_slider", "checkbox", "popup": the names in JSON.
std::string_view ParamTypeName(ParamType type);
std::optional<ParamType> ParamTypeFromName(std::string_view name);

// Ranges and default are in the unit the user sees and types:
// - slider: whole numbers;
// - fixed slider: the stored 16.16 fixed-point value divided by 65536 (so percent when `percent` is set:
//   a stored 0x640000 is 100);
// - float slider: as stored;
// - checkbox: 0 or 1; popup: the 1-based choice.
// Layers have no ranges; their default is "no layer".
struct ParamInfo {
  int index = 0;  // the plug-in's parameter index (and id)
  std::string name;
  ParamType type = ParamType::kSlider;
  double valid_min = 0;
  double valid_max = 0;
  double slider_min = 0;
  double slider_max = 0;
  double default_value = 0;
  int precision = 0;                 // digits after the decimal point, sliders
  bool percent = false;              // the value is shown with a percent sign
  std::vector<std::string> choices;  // popup, choice 1 first
  std::string checkbox_label;        // the text beside a checkbox
  bool hidden = false;               // hidden in the effect's controls, as the plug-in left it
};

// The 16.16 fixed-point value the host stores for a fixed slider's displayed value (rounded to nearest).
std::int32_t ToFixed(double displayed);
double FromFixed(std::int32_t fixed);

}  // namespace fxhost
