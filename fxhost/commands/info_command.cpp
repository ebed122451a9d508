#include "fxhost/commands/commands.h"
#include "fxhost/commands/descriptor_json.h"
#include "fxhost/commands/host_params.h"
#include "fxhost/commands/plugin_session.h"
#include "fxhost/plugin_info_json.h"
#include "host/app_id.h"

namespace fxhost {

int InfoCommand(const Options& options, std::ostream& out) {
  host::EffectSettings settings;
  if (!options.app_id.empty()) settings.appl_id = host::app_id_from_code(options.app_id);
  PluginSession plugin(options.plugin, settings);

  PluginDescription description;
  description.plugin = plugin.path().string();
  description.about = plugin.About();
  description.descriptor = DescriptorJson(plugin.module());
  description.params = ParamInfosFromStore(plugin.effect().params());
  const std::vector<ParamSetting> param_settings = SettingsFromOptions(options, description.params);
  plugin.Close();

  if (options.json) {
    out << InfoJson(description, param_settings).dump(2) << "\n";
  } else {
    out << InfoTable(description);
  }
  return kExitOk;
}

}  // namespace fxhost
