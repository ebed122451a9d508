// Handlers of the lifecycle commands: About, global setup and setdown, sequence setup, resetup and
// setdown. Each returns the host's error code.
#pragma once

#include "pf_host_interface.h"

PF_Err About(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
PF_Err GlobalSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
PF_Err GlobalSetdown(PF_InData* in_data);
// Serves sequence setup and resetup alike: whatever sequence data the instance holds is disposed of
// and replaced by a fresh placeholder.
PF_Err SequenceSetup(PF_InData* in_data, PF_OutData* out_data);
PF_Err SequenceSetdown(PF_InData* in_data, PF_OutData* out_data);
