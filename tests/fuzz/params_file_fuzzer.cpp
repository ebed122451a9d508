// A --params document: any bytes are settings of the effect's parameters or one InputError (malformed
// JSON included), never another exception.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "fuzz_support.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/commands/plugin_info_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const nlohmann::json document = nlohmann::json::parse(data, data + size, nullptr, false);
  if (document.is_discarded()) return 0;  // ReadParamsFile's "not valid JSON"
  try {
    const std::vector<fxhost::ParamSetting> settings =
        fxhost::SettingsFromJson(document, fuzz::EffectParams(), "fuzz.json", {64, 36});
    for (const fxhost::ParamSetting& setting : settings) {
      const fxhost::ParamInfo& param = fxhost::FindParam(fuzz::EffectParams(), setting.name);
      for (const fxhost::Keyframe& key : setting.keys) {
        fuzz::Expect(key.value >= param.valid_min && key.value <= param.valid_max,
                     "a value outside the valid range");
      }
    }
  } catch (const fxhost::InputError&) {
  }
  return 0;
}
