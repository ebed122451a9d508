#include <set>

#include "fxhost/commands/commands.h"
#include "fxhost/commands/descriptor_json.h"
#include "fxhost/commands/host_params.h"
#include "fxhost/commands/plugin_info_json.h"
#include "fxhost/commands/plugin_session.h"
#include "host/app_id.h"
#include "host/world_buffer.h"

namespace fxhost {
namespace {

// Makes the settings as a user would in the effect's controls, one parameter after the other, so the
// plug-in shows and hides parameters as it would for them. A layer parameter with a layer gets a
// stand-in picture: the controls only ask whether a layer delivers pixels, not which.
void ChangeAsUser(PluginSession& plugin, std::span<const ParamSetting> settings, const TimeBase& time) {
  host::Effect& effect = plugin.effect();
  const int frame = 0;
  ApplySettings(effect.params(), settings, std::span(&frame, 1), time);
  std::set<PF_ParamIndex> chosen;
  for (const ParamSetting& setting : settings) {
    if (setting.type == ParamType::kLayer && setting.layer.kind != LayerSource::Kind::kNone)
      chosen.insert(setting.index);
  }
  auto stand_in = std::make_shared<host::WorldBuffer>(1, 1, host::PixelDepth::k8Bit);
  effect.set_layer_source([chosen, stand_in](PF_ParamIndex index, double, PF_LayerDef& layer) {
    if (chosen.contains(index)) layer = stand_in->world();
  });
  for (const ParamSetting& setting : settings) {
    const host::CommandResult changed = effect.user_changed_param(setting.index);
    if (changed.err != PF_Err_NONE) throw PluginError(CommandFailure("changing " + setting.name, changed));
  }
}

}  // namespace

int InfoCommand(const Options& options, std::ostream& out) {
  const TimeBase time = TimeBaseForFps(options.fps);
  host::EffectSettings settings;
  if (!options.app_id.empty()) settings.appl_id = host::app_id_from_code(options.app_id);
  settings.time_step = time.time_step;
  settings.time_scale = time.time_scale;
  PluginSession plugin(options.plugin, settings);

  PluginDescription description;
  description.plugin = plugin.path().string();
  description.about = plugin.About();
  description.descriptor = DescriptorJson(plugin.module());
  description.params = ParamInfosFromStore(plugin.effect().params());
  const std::vector<ParamSetting> param_settings = SettingsFromOptions(options, description.params);

  // One effect instance with the settings made, for the parameters' visibility.
  plugin.SequenceSetup();
  ChangeAsUser(plugin, param_settings, time);
  for (ParamInfo& param : description.params) param.hidden = plugin.effect().param_hidden(param.index);
  plugin.effect().set_layer_source(nullptr);
  plugin.Close();

  if (options.json) {
    out << InfoJson(description, param_settings).dump(2) << "\n";
  } else {
    out << InfoTable(description, param_settings);
  }
  return kExitOk;
}

}  // namespace fxhost
