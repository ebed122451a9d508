// --set NAME=VALUE, values and keyframes: any text is a setting of one of the effect's parameters or
// one InputError; a setting's keys are in the parameter's valid range, ascending, each frame once.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/cli/param_setting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto& params = fuzz::EffectParams();
  try {
    const fxhost::ParamSetting setting = fxhost::ParseSetArgument(text, params, {64, 36});
    const fxhost::ParamInfo& param = fxhost::FindParam(params, setting.name);
    if (param.type == fxhost::ParamType::kLayer) return 0;
    fuzz::Expect(!setting.keys.empty(), "a setting without keys");
    fuzz::Expect(setting.animated || setting.keys.size() == 1, "a constant with several keys");
    for (std::size_t i = 0; i < setting.keys.size(); ++i) {
      const double value = setting.keys[i].value;
      fuzz::Expect(std::isfinite(value), "a value that is not finite");
      fuzz::Expect(value >= param.valid_min && value <= param.valid_max, "a value outside the valid range");
      if (i > 0) fuzz::Expect(setting.keys[i - 1].frame < setting.keys[i].frame, "keys not ascending");
      fxhost::StoredInteger(param.type, value);
      fxhost::ValueAt(setting, setting.keys[i].frame + 0.5);
    }
  } catch (const fxhost::InputError&) {
  }
  return 0;
}
