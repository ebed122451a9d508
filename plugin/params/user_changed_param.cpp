// Parameter UI and change tracking, for PF_Cmd_USER_CHANGED_PARAM and PF_Cmd_UPDATE_PARAMS_UI.
//
// "Position" and "Fit" are shown only while the Missing Tile Layer delivers pixels, and the change
// never enters the host's undo history. The sequence data keeps the host's parameter-state record:
// when the host reports a change against it, a new record replaces it. Every call asks the host to
// refresh the effect's controls.
#include "entry/new_handle.h"
#include "entry/plugin_data.h"
#include "entry/suite_handler.h"
#include "params/param_checkout.h"
#include "params/param_ids.h"
#include "params/params.h"

namespace {

// The effect and stream references the handler holds. Every reference obtained is released exactly
// once, on every way out, a thrown error code included: the suites that release them are acquired
// before any reference is obtained, so a release never needs a suite that may be missing.
class HeldReferences {
 public:
  HeldReferences(const AEGP_EffectSuite2* effect_suite, const AEGP_StreamSuite7* stream_suite)
      : effect_suite_(effect_suite), stream_suite_(stream_suite) {}
  ~HeldReferences() { Release(PF_Err_NONE); }
  HeldReferences(const HeldReferences&) = delete;
  HeldReferences& operator=(const HeldReferences&) = delete;

  PF_Err GetEffect(const AEGP_PFInterfaceSuite1* suite, AEGP_PluginID plugin_id, PF_ProgPtr effect_ref) {
    AEGP_EffectRefH effect = nullptr;
    const PF_Err err = suite->AEGP_GetNewEffectForEffect(plugin_id, effect_ref, &effect);
    if (err == PF_Err_NONE) effect_ = effect;
    return err;
  }

  // Obtains the stream of parameter `index` of the effect into `slot` (Position or Fit).
  PF_Err GetStream(AEGP_PluginID plugin_id, PF_ParamIndex index, AEGP_StreamRefH* slot) {
    AEGP_StreamRefH stream = nullptr;
    const PF_Err err = stream_suite_->AEGP_GetNewEffectStreamByIndex(plugin_id, effect_, index, &stream);
    if (err == PF_Err_NONE) *slot = stream;
    return err;
  }

  // Releases the effect, then the Position stream, then the Fit stream, each if it is held. Returns
  // `err` if it is set, otherwise the first release that failed.
  PF_Err Release(PF_Err err) {
    if (effect_ != nullptr) err = FirstError(err, effect_suite_->AEGP_DisposeEffect(effect_));
    effect_ = nullptr;
    err = FirstError(err, DisposeStream(&position));
    return FirstError(err, DisposeStream(&fit));
  }

  AEGP_StreamRefH position = nullptr;
  AEGP_StreamRefH fit = nullptr;

 private:
  static PF_Err FirstError(PF_Err first, PF_Err next) { return first != PF_Err_NONE ? first : next; }
  PF_Err DisposeStream(AEGP_StreamRefH* stream) {
    if (*stream == nullptr) return PF_Err_NONE;
    const PF_Err err = stream_suite_->AEGP_DisposeStream(*stream);
    *stream = nullptr;
    return err;
  }

  const AEGP_EffectSuite2* effect_suite_;
  const AEGP_StreamSuite7* stream_suite_;
  AEGP_EffectRefH effect_ = nullptr;
};

// The id the host gave at registration. Without global data (its lock failed at global setup) the
// effect never registered and has no id: 0.
AEGP_PluginID PluginId(const PF_InData* in_data) {
  if (in_data->global_data == nullptr || *in_data->global_data == nullptr) return 0;
  return static_cast<const GlobalData*>(*in_data->global_data)->plugin_id;
}

// Checks the Missing Tile Layer out at the current time and in again. It counts as chosen when it
// delivers pixels.
PF_Err MissingTileLayerChosen(PF_InData* in_data, bool* chosen) {
  ParamCheckout layer;
  const PF_Err err = layer.Checkout(in_data, kParamMissingTileLayer);
  if (err != PF_Err_NONE) return err;
  *chosen = layer.def().u.ld.data != nullptr;
  return layer.Checkin();
}

// Hides "Position" and "Fit" unless a layer is chosen; not undoable, so no undo entry is made.
PF_Err ShowPositionAndFit(const AEGP_DynamicStreamSuite2* suite, const HeldReferences& refs, bool chosen) {
  const A_Boolean hidden = chosen ? 0 : 1;
  const A_Boolean undoable = 0;
  PF_Err err = suite->AEGP_SetDynamicStreamFlag(refs.position, AEGP_DynStreamFlag_HIDDEN, undoable, hidden);
  if (err == PF_Err_NONE)
    err = suite->AEGP_SetDynamicStreamFlag(refs.fit, AEGP_DynStreamFlag_HIDDEN, undoable, hidden);
  return err;
}

// Whether the parameters changed against the state record kept in the sequence data. Sequence data
// smaller than a PF_State (the one-byte placeholder), or none, holds no record: that counts as
// changed, and it is never handed to the host, which would read past its end.
PF_Err ParamsChanged(const PF_InData* in_data, const PF_ParamUtilsSuite1* param_utils,
                     const PF_HandleSuite1* handle_suite, bool* changed) {
  const PF_Handle stored = in_data->sequence_data;
  if (stored == nullptr || handle_suite->host_get_handle_size(stored) < sizeof(PF_State)) {
    *changed = true;
    return PF_Err_NONE;
  }
  PF_Boolean host_changed = 0;
  const PF_Err err =
      param_utils->PF_HasParamChanged(in_data->effect_ref, static_cast<const PF_State*>(*stored),
                                      PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE, &host_changed);
  *changed = host_changed != 0;
  return err;
}

// Makes a new handle holding the host's current state the sequence data, in out_data and in_data,
// and disposes of the old one. Without memory for it nothing changes and there is no error: the
// next call tries again. If the host cannot write the state, the new handle goes back to it.
PF_Err StoreCurrentState(PF_InData* in_data, PF_OutData* out_data, const PF_ParamUtilsSuite1* param_utils,
                         const PF_HandleSuite1* handle_suite) {
  // Made through the utility callbacks, given back through the handle suite.
  const HandleFunctions functions{in_data->utils->host_new_handle, nullptr, nullptr,
                                  handle_suite->host_dispose_handle};
  NewHandle fresh;
  if (!fresh.Make(functions, sizeof(PF_State))) return PF_Err_NONE;
  const PF_Err err =
      param_utils->PF_GetCurrentState(in_data->effect_ref, static_cast<PF_State*>(*fresh.get()));
  if (err != PF_Err_NONE) return err;
  if (in_data->sequence_data != nullptr) handle_suite->host_dispose_handle(in_data->sequence_data);
  out_data->sequence_data = fresh.HandOver();
  in_data->sequence_data = out_data->sequence_data;
  return PF_Err_NONE;
}

// Replaces the stored state record when the host reports a change. A failure is shown to the user
// as "ERROR".
PF_Err TrackParamState(PF_InData* in_data, PF_OutData* out_data, SuiteHandler& suites) {
  const PF_ParamUtilsSuite1* param_utils = suites.ParamUtilsSuite();
  const PF_HandleSuite1* handle_suite = suites.HandleSuite();
  bool changed = false;
  PF_Err err = ParamsChanged(in_data, param_utils, handle_suite, &changed);
  if (err == PF_Err_NONE && changed) err = StoreCurrentState(in_data, out_data, param_utils, handle_suite);
  if (err != PF_Err_NONE) {
    in_data->utils->ansi.strcpy(out_data->return_msg, "ERROR");
    out_data->out_flags = PF_OutFlag_DISPLAY_ERROR_MESSAGE;
  }
  return err;
}

PF_Err UpdateParamsUi(PF_InData* in_data, PF_OutData* out_data) {
  SuiteHandler suites(in_data->pica_basicP);
  const AEGP_PluginID plugin_id = PluginId(in_data);
  const AEGP_PFInterfaceSuite1* interface_suite = suites.PFInterfaceSuite();
  HeldReferences refs(suites.EffectSuite(), suites.StreamSuite());

  PF_Err err = refs.GetEffect(interface_suite, plugin_id, in_data->effect_ref);
  if (err == PF_Err_NONE) err = refs.GetStream(plugin_id, kParamPosition, &refs.position);
  if (err == PF_Err_NONE) err = refs.GetStream(plugin_id, kParamFit, &refs.fit);
  bool chosen = false;
  if (err == PF_Err_NONE) err = MissingTileLayerChosen(in_data, &chosen);
  if (err == PF_Err_NONE) err = ShowPositionAndFit(suites.DynamicStreamSuite(), refs, chosen);
  if (err == PF_Err_NONE) err = TrackParamState(in_data, out_data, suites);
  err = refs.Release(err);

  out_data->out_flags |= PF_OutFlag_REFRESH_UI;
  return err;
}

}  // namespace

PF_Err UserChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* /*params*/[],
                        PF_LayerDef* /*output*/, void* /*extra*/) {
  return UpdateParamsUi(in_data, out_data);
}
