#include "entry/new_handle.h"
#include "lifecycle.h"
#include "plugin_data.h"
#include "suite_handler.h"

PF_Err SequenceSetup(PF_InData* in_data, PF_OutData* out_data) {
  SuiteHandler suites(in_data->pica_basicP);
  PF_Err err = SequenceSetdown(in_data, out_data);
  if (err != PF_Err_NONE) return err;

  const PF_HandleSuite1* handle_suite = suites.HandleSuite();
  NewHandle handle;
  if (!handle.Make(HandleFunctionsOf(handle_suite), sizeof(SequenceData))) return PF_Err_OUT_OF_MEMORY;
  auto* sequence = static_cast<SequenceData*>(handle.Lock());
  // Without a lock nothing is stored and the result stays 0; the handle goes back to the host.
  if (sequence == nullptr) return err;
  sequence->placeholder = 0;
  out_data->sequence_data = handle.HandOver();
  handle_suite->host_unlock_handle(out_data->sequence_data);
  return err;
}

PF_Err SequenceSetdown(PF_InData* in_data, PF_OutData* /*out_data*/) {
  if (in_data->sequence_data == nullptr) return PF_Err_NONE;
  SuiteHandler suites(in_data->pica_basicP);
  suites.HandleSuite()->host_dispose_handle(in_data->sequence_data);
  return PF_Err_NONE;
}
