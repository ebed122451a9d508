// "PF Param Utils Suite" v1 and v2: snapshots of an effect's parameters and change queries
// against them.
//
// A state record holds a tag, the effect's id (EffectControls::id) and the parameter store's
// revision when it was taken, so it changes whenever a parameter's value, keys or layer change. A
// record that is not this effect's (another effect's, one from an earlier run, or garbage) counts
// as changed against everything.
#include "host/effect.h"
#include "host/gate.h"
#include "host/standard_suites.h"

namespace host {

namespace {

constexpr A_u_long kStateTag = PF_FOURCC('Z', 'k', 'P', 'S');

PF_State make_state(A_u_long effect_id, std::uint64_t revision) {
  return {{kStateTag, effect_id, static_cast<A_u_long>(revision), static_cast<A_u_long>(revision >> 32)}};
}

// The revision a record was taken at, if it is a record of this effect.
std::optional<std::uint64_t> state_revision(const PF_State& state, A_u_long effect_id) {
  if (state.reserved[0] != kStateTag || state.reserved[1] != effect_id) return std::nullopt;
  return state.reserved[2] | (std::uint64_t{state.reserved[3]} << 32);
}

bool group_query(PF_ParamIndex index) {
  return index == PF_ParamIndex_CHECK_ALL || index == PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS ||
         index == PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE;
}

// Whether the parameters `index` names (one index, or a group given by a special index) changed
// after `revision`. Excluding parameters from the group is not modelled: the honouring check is
// the check of all.
bool changed_since(const ParamStore& params, PF_ParamIndex index, std::uint64_t revision) {
  if (revision > params.revision()) return true;  // not a record this store ever made
  if (!group_query(index)) return params.at(index).changed_at > revision;
  const bool skip_layers = index == PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS;
  for (std::size_t i = 0; i < params.size(); ++i) {
    const Parameter param = params.at(static_cast<PF_ParamIndex>(i));
    if (skip_layers && param.def.param_type == PF_Param_LAYER) continue;
    if (param.changed_at > revision) return true;
  }
  return false;
}

PF_Err PF_GetCurrentState(PF_ProgPtr effect_ref, PF_State* state) {
  if (auto fault = gate("PF_GetCurrentState", effect_ref, static_cast<const void*>(state)))
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (state == nullptr) {
    effect->session().ledger().note_misuse("PF_GetCurrentState without a state record");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  *state = make_state(effect->controls().id(), effect->params().revision());
  return PF_Err_NONE;
}

PF_Err PF_HasParamChanged(PF_ProgPtr effect_ref, const PF_State* state, PF_ParamIndex index,
                          PF_Boolean* changed) {
  if (auto fault = gate("PF_HasParamChanged", effect_ref, static_cast<const void*>(state), index))
    return fault->code_or(PF_Err_INTERNAL_STRUCT_DAMAGED);
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  if (state == nullptr || changed == nullptr) {
    effect->session().ledger().note_misuse("PF_HasParamChanged without a state record or an answer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (!group_query(index) && (index < 0 || static_cast<std::size_t>(index) >= effect->params().size()))
    return PF_Err_INVALID_INDEX;
  const std::optional<std::uint64_t> revision = state_revision(*state, effect->controls().id());
  *changed = !revision || changed_since(effect->params(), index, *revision) ? 1 : 0;
  return PF_Err_NONE;
}

constexpr PF_ParamUtilsSuite1 kParamUtilsSuite = {PF_GetCurrentState, PF_HasParamChanged};

}  // namespace

void register_param_utils_suites(SuiteRegistry& registry) {
  registry.add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1, &kParamUtilsSuite);
  registry.add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion2, &kParamUtilsSuite);
}

}  // namespace host
