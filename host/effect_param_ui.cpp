// The commands the application sends about the effect's controls: PF_Cmd_UPDATE_PARAMS_UI after
// sequence setup and after each parameter change, when the plug-in asked for it at global setup,
// and PF_Cmd_USER_CHANGED_PARAM when the user changes a parameter.
#include "host/effect.h"

namespace host {

std::optional<CommandResult> Effect::update_params_ui() {
  if (!wants_params_ui_updates()) return std::nullopt;
  last_params_ui_update_ = run(PF_Cmd_UPDATE_PARAMS_UI);
  return last_params_ui_update_;
}

CommandResult Effect::sequence_setup() {
  CommandResult setup = run(PF_Cmd_SEQUENCE_SETUP);
  if (setup.err == PF_Err_NONE) update_params_ui();
  return setup;
}

CommandResult Effect::sequence_resetup() {
  CommandResult setup = run(PF_Cmd_SEQUENCE_RESETUP);
  if (setup.err == PF_Err_NONE) update_params_ui();
  return setup;
}

CommandResult Effect::user_changes_param(PF_ParamIndex index, double value) {
  params_.set_value(index, value);  // setting the value it has is no change
  return send_user_change(index);
}

CommandResult Effect::user_changed_param(PF_ParamIndex index) {
  params_.touch(index);
  return send_user_change(index);
}

CommandResult Effect::send_user_change(PF_ParamIndex index) {
  PF_UserChangedParamExtra extra{index};
  CommandInputs inputs;
  inputs.extra = &extra;
  CommandResult changed = run(PF_Cmd_USER_CHANGED_PARAM, inputs);
  update_params_ui();
  return changed;
}

}  // namespace host
