#include "fxhost/cli/param_info.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

namespace fxhost {
namespace {

constexpr std::array<std::pair<ParamType, std::string_view>, 6> kTypeNames{{
    {ParamType::kLayer, "layer"},
    {ParamType::kSlider, "slider"},
    {ParamType::kFixedSlider, "fixed_slider"},
    {ParamType::kFloatSlider, "float_slider"},
    {ParamType::kCheckbox, "checkbox"},
    {ParamType::kPopup, "popup"},
}};

}  // namespace

std::string_view ParamTypeName(ParamType type) {
  for (const auto& [t, name] : kTypeNames) {
    if (t == type) return name;
  }
  return "unknown";
}

std::optional<ParamType> ParamTypeFromName(std::string_view name) {
  for (const auto& [t, n] : kTypeNames) {
    if (n == name) return t;
  }
  return std::nullopt;
}

std::int32_t ToFixed(double displayed) {
  const double fixed = std::round(displayed * 65536.0);
  if (!(fixed > -2147483648.0)) return INT32_MIN;  // also NaN
  if (fixed > 2147483647.0) return INT32_MAX;
  return static_cast<std::int32_t>(fixed);
}

double FromFixed(std::int32_t fixed) {
  return fixed / 65536.0;
}

}  // namespace fxhost
