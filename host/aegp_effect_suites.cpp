// "AEGP PF Interface Suite" v1, "AEGP Stream Suite" v7, "AEGP Dynamic Stream Suite" v2 and "AEGP
// Effect Suite" v2: the effect's references, its parameter streams and their flags. They work on
// the effect whose command is running on the calling thread (see EffectControls); a reference that
// effect does not hold is refused with A_Err_PARAMETER and noted as misuse.
#include <string>

#include "host/effect.h"
#include "host/gate.h"
#include "host/host_functions.h"
#include "host/standard_suites.h"

namespace host {

namespace {

constexpr A_Err A_Err_PARAMETER = 3;

// The effect of the running command, or null with the misuse noted.
Effect* current_effect_for(const char* op) {
  Effect* effect = Session::current_effect();
  if (effect == nullptr)
    current_session().ledger().note_misuse(std::string(op) + " outside an effect's command");
  return effect;
}

A_Err refuse(const std::string& what) {
  current_session().ledger().note_misuse(what);
  return A_Err_PARAMETER;
}

A_Err AEGP_GetNewEffectForEffect(AEGP_PluginID plugin_id, PF_ProgPtr effect_ref, AEGP_EffectRefH* effect) {
  if (auto fault = gate("AEGP_GetNewEffectForEffect", plugin_id, effect_ref))
    return fault->code_or(A_Err_GENERIC);
  Effect* owner = Effect::from_ref(effect_ref);
  if (owner == nullptr) return A_Err_PARAMETER;
  if (effect == nullptr) return refuse("AEGP_GetNewEffectForEffect without an out reference");
  *effect = owner->controls().new_effect();
  return 0;
}

A_Err AEGP_DisposeEffect(AEGP_EffectRefH effect) {
  if (auto fault = gate("AEGP_DisposeEffect", effect)) return fault->code_or(A_Err_GENERIC);
  Effect* owner = current_effect_for("AEGP_DisposeEffect");
  if (owner == nullptr || !owner->controls().dispose(effect))
    return refuse("AEGP_DisposeEffect of an effect reference that is not held");
  return 0;
}

A_Err AEGP_GetNewEffectStreamByIndex(AEGP_PluginID plugin_id, AEGP_EffectRefH effect, PF_ParamIndex index,
                                     AEGP_StreamRefH* stream) {
  if (auto fault = gate("AEGP_GetNewEffectStreamByIndex", plugin_id, effect, index))
    return fault->code_or(A_Err_GENERIC);
  Effect* owner = current_effect_for("AEGP_GetNewEffectStreamByIndex");
  if (owner == nullptr || !owner->controls().holds(effect))
    return refuse("AEGP_GetNewEffectStreamByIndex of an effect reference that is not held");
  if (index < 0 || static_cast<std::size_t>(index) >= owner->params().size())
    return refuse("AEGP_GetNewEffectStreamByIndex of parameter " + std::to_string(index) +
                  ", which is not there");
  if (stream == nullptr) return refuse("AEGP_GetNewEffectStreamByIndex without an out reference");
  *stream = owner->controls().new_stream(index);
  return 0;
}

A_Err AEGP_DisposeStream(AEGP_StreamRefH stream) {
  if (auto fault = gate("AEGP_DisposeStream", stream)) return fault->code_or(A_Err_GENERIC);
  Effect* owner = current_effect_for("AEGP_DisposeStream");
  if (owner == nullptr || !owner->controls().dispose(stream))
    return refuse("AEGP_DisposeStream of a stream that is not held");
  return 0;
}

bool known_flag(AEGP_DynStreamFlags flag) {
  return flag == AEGP_DynStreamFlag_ACTIVE_EYEBALL || flag == AEGP_DynStreamFlag_HIDDEN ||
         flag == AEGP_DynStreamFlag_DISABLED;
}

A_Err AEGP_SetDynamicStreamFlag(AEGP_StreamRefH stream, AEGP_DynStreamFlags flag, A_Boolean undoable,
                                A_Boolean set) {
  if (auto fault = gate("AEGP_SetDynamicStreamFlag", stream, flag, undoable, set))
    return fault->code_or(A_Err_GENERIC);
  Effect* owner = current_effect_for("AEGP_SetDynamicStreamFlag");
  const std::optional<PF_ParamIndex> index =
      owner != nullptr ? owner->controls().stream_param(stream) : std::nullopt;
  if (!index) return refuse("AEGP_SetDynamicStreamFlag on a stream that is not held");
  if (!known_flag(flag)) return refuse("AEGP_SetDynamicStreamFlag with flag " + std::to_string(flag));
  owner->controls().set_flag(*index, flag, set != 0, undoable != 0);
  return 0;
}

constexpr AEGP_PFInterfaceSuite1 kPFInterfaceSuite = {AEGP_GetNewEffectForEffect};
constexpr AEGP_StreamSuite7 kStreamSuite = {AEGP_GetNewEffectStreamByIndex, AEGP_DisposeStream};
constexpr AEGP_DynamicStreamSuite2 kDynamicStreamSuite = {AEGP_SetDynamicStreamFlag};
constexpr AEGP_EffectSuite2 kEffectSuite = {AEGP_DisposeEffect};

}  // namespace

void register_aegp_effect_suites(SuiteRegistry& registry) {
  registry.add(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &kPFInterfaceSuite);
  registry.add(kAEGPStreamSuite, kAEGPStreamSuiteVersion7, &kStreamSuite);
  registry.add(kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion2, &kDynamicStreamSuite);
  registry.add(kAEGPEffectSuite, kAEGPEffectSuiteVersion2, &kEffectSuite);
}

}  // namespace host
