#include "../resources/effect_properties.h"
#include "entry/new_handle.h"
#include "lifecycle.h"
#include "plugin_data.h"
#include "suite_handler.h"
#include "variant.h"

namespace {

bool RegistersWithHost(A_long appl_id) {
  return !(variant::kSkipsRegistrationUnderPremiere && appl_id == A_long(PF_APPL_ID_PREMIERE));
}

}  // namespace

PF_Err GlobalSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* /*params*/[],
                   PF_LayerDef* /*output*/) {
  PF_Err err = PF_Err_NONE;
  SuiteHandler suites(in_data->pica_basicP);

  out_data->my_version = effect_properties::kVersion;
  out_data->out_flags |= effect_properties::kOutFlags;
  out_data->out_flags2 |= effect_properties::kOutFlags2;

  // Given back on every way out, a failed registration or a missing suite included, unless it
  // becomes the global data.
  const PF_HandleSuite1* handle_suite = suites.HandleSuite();
  NewHandle handle;
  if (!handle.Make(HandleFunctionsOf(handle_suite), sizeof(GlobalData)))
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  auto* global = static_cast<GlobalData*>(handle.Lock());
  if (global == nullptr) return err;  // nothing stored, not an error

  global->initialized = 1;
  if (RegistersWithHost(in_data->appl_id)) {
    err = suites.UtilitySuite()->AEGP_RegisterWithAEGP(nullptr, "Error!", &global->plugin_id);
  }
  if (err == PF_Err_NONE) {
    out_data->global_data = handle.HandOver();
    handle_suite->host_unlock_handle(out_data->global_data);
  }
  return err;
}

PF_Err GlobalSetdown(PF_InData* in_data) {
  SuiteHandler suites(in_data->pica_basicP);
  if (in_data->global_data != nullptr) suites.HandleSuite()->host_dispose_handle(in_data->global_data);
  return PF_Err_NONE;
}
