// One effect instance driven through its commands the way the application drives it.
//
// Each command gets fresh PF_InData and PF_OutData. What the plug-in hands back is kept as the
// application keeps it: out_data->global_data after global setup, out_data->sequence_data after
// sequence setup and resetup (and after any other command that sets a new one), and passed in
// in_data with every later command; global setdown and sequence setdown end them. Handles the
// plug-in leaves behind stay counted in the session's ledger.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "host/effect_controls.h"
#include "host/module.h"
#include "host/param_store.h"
#include "host/session.h"
#include "pf_host_interface.h"

namespace host {

// The host the effect runs under and the frame it works on.
struct EffectSettings {
  A_long appl_id = A_long(PF_APPL_ID_AFTER_EFFECTS);  // PF_APPL_ID_PREMIERE poses as Premiere Pro
  PF_SpecVersion version = {PF_PLUG_IN_VERSION, PF_PLUG_IN_SUBVERS};
  A_long width = 640;  // the input layer's size
  A_long height = 360;
  A_long current_time = 0;
  A_long time_step = 1;
  A_long total_time = 300;
  A_u_long time_scale = 30;  // time units per second
  bool basic_suite = true;   // false: in_data carries no basic suite
};

// A command's time, when it is not the settings' (e.g. one frame of several rendered at once).
struct CommandTime {
  A_long current_time = 0;
  A_long time_step = 1;
  A_u_long time_scale = 30;
};

// What a command may carry besides the two records.
struct CommandInputs {
  PF_ParamDef** params = nullptr;
  PF_LayerDef* output = nullptr;
  void* extra = nullptr;
  std::optional<PF_OutData> out;  // the out-data the command starts from; zeroed if not given
  std::optional<CommandTime> time =
      {};  // in_data's current_time, time_step, time_scale; settings if not given
};

struct CommandResult {
  PF_Err err = PF_Err_NONE;
  PF_OutData out{};
  // return_msg as a string, up to its terminator (or the end of the field).
  std::string return_msg() const;
};

// Supplies a layer's pixels to a layer-parameter checkout (index 0, the input, or a layer
// parameter) at a time in seconds. Without one, every layer comes back without pixels. During a
// frame rendered with RenderFrame the frame's own layers are supplied instead.
using LayerSource = std::function<void(PF_ParamIndex index, double seconds, PF_LayerDef& layer)>;

class Effect {
 public:
  Effect(const Module& module, Session& session, EffectSettings settings = {});
  Effect(PF_EntryPointFunc entry_point, Session& session, EffectSettings settings = {});
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  // Sends any selector, as the application would, and keeps what the plug-in hands back.
  CommandResult run(PF_Cmd cmd, const CommandInputs& inputs = {});

  CommandResult about() { return run(PF_Cmd_ABOUT); }
  CommandResult global_setup() { return run(PF_Cmd_GLOBAL_SETUP); }
  CommandResult params_setup() { return run(PF_Cmd_PARAMS_SETUP); }
  // Sequence setup and resetup, then, when they succeed, update_params_ui().
  CommandResult sequence_setup();
  CommandResult sequence_resetup();
  CommandResult sequence_setdown() { return run(PF_Cmd_SEQUENCE_SETDOWN); }
  CommandResult global_setdown() { return run(PF_Cmd_GLOBAL_SETDOWN); }

  // Parameter UI, as the application drives it (effect_param_ui.cpp).
  //
  // Whether the plug-in asked at global setup to hear PF_Cmd_UPDATE_PARAMS_UI.
  bool wants_params_ui_updates() const { return (global_out_flags_ & PF_OutFlag_SEND_UPDATE_PARAMS_UI) != 0; }
  // Sends PF_Cmd_UPDATE_PARAMS_UI if the plug-in asked for it; its result is also kept as
  // last_params_ui_update(). Without the request nothing is sent and nothing is returned.
  std::optional<CommandResult> update_params_ui();
  const std::optional<CommandResult>& last_params_ui_update() const { return last_params_ui_update_; }
  // The user sets parameter `index` to `value` in the effect's controls: the value changes, the
  // plug-in hears PF_Cmd_USER_CHANGED_PARAM (extra: a PF_UserChangedParamExtra naming the
  // parameter), then update_params_ui(). Returns the USER_CHANGED_PARAM result.
  CommandResult user_changes_param(PF_ParamIndex index, double value);
  // The same for a change already made through params() or the layer source (keyframes, another
  // layer chosen): notes it as a change of parameter `index`, then the two commands.
  CommandResult user_changed_param(PF_ParamIndex index);
  // Effect references, streams, stream flags and the undo history, as the plug-in left them.
  EffectControls& controls() { return controls_; }
  // Whether the plug-in hid parameter `index` (AEGP_DynStreamFlag_HIDDEN on its stream).
  bool param_hidden(PF_ParamIndex index) const { return controls_.hidden(index); }

  EffectSettings& settings() { return settings_; }
  Session& session() { return session_; }
  ParamStore& params() { return params_; }

  PF_Handle global_data() const { return global_data_; }
  PF_Handle sequence_data() const { return sequence_data_; }
  // Gives the instance sequence data, e.g. one restored with a project.
  void set_sequence_data(PF_Handle handle) { sequence_data_ = handle; }

  // The callback tables handed to the plug-in in in_data; more callbacks may be filled in here.
  PF_InteractCallbacks& interact() { return interact_; }
  PF_UtilCallbacks& utils() { return utils_; }
  void set_layer_source(LayerSource source) { layer_source_ = std::move(source); }

  PF_ProgPtr effect_ref() { return reinterpret_cast<PF_ProgPtr>(this); }
  // The in-data of a command at the current settings.
  PF_InData make_in_data();

  // The effect an effect_ref names, if it is the one whose command is running on this thread;
  // otherwise null, with the misuse noted.
  static Effect* from_ref(PF_ProgPtr effect_ref);

  // The work behind the interact callbacks (after their gate).
  PF_Err add_param(PF_ParamIndex index, const PF_ParamDef* def);
  PF_Err checkout_param(PF_ParamIndex index, A_long what_time, A_u_long time_scale, PF_ParamDef* param);
  PF_Err checkin_param(const PF_ParamDef* param);

 private:
  void keep_handles(PF_Cmd cmd, const PF_OutData& out, PF_Handle sequence_before);
  CommandResult send_user_change(PF_ParamIndex index);  // USER_CHANGED_PARAM, then the UI update

  PF_EntryPointFunc entry_point_;
  Session& session_;
  EffectSettings settings_;
  ParamStore params_;
  PF_InteractCallbacks interact_;
  PF_UtilCallbacks utils_;
  LayerSource layer_source_;
  PF_Handle global_data_ = nullptr;
  PF_Handle sequence_data_ = nullptr;
  EffectControls controls_;
  PF_OutFlags global_out_flags_ = 0;  // as global setup left them
  std::optional<CommandResult> last_params_ui_update_;
  std::mutex checkouts_mutex_;
  std::multimap<const PF_ParamDef*, PF_ParamIndex> checkouts_;
};

// The callback tables a fresh Effect hands out.
PF_InteractCallbacks standard_interact_callbacks();
PF_UtilCallbacks standard_util_callbacks();

}  // namespace host
