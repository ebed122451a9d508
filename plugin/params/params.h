// Parameter handlers: declaring the parameter set, and reacting to parameter changes and UI updates.
#pragma once

#include "pf_host_interface.h"

// Declares the nine parameters to the host in index order and sets num_params to 10.
PF_Err ParamsSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);

// Serves PF_Cmd_USER_CHANGED_PARAM and PF_Cmd_UPDATE_PARAMS_UI; extra (the command's extra
// record, or null) is not read.
PF_Err UserChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output,
                        void* extra);
