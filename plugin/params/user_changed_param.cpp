#include "params.h"

// Parameter UI and change tracking are not implemented yet: the command succeeds without effect.
#if ZELKRA_VARIANT_32BIT
PF_Err UserChangedParam(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_ParamDef* /*params*/[],
                        PF_LayerDef* /*output*/, void* /*extra*/) {
  return PF_Err_NONE;
}
#else
PF_Err UserChangedParam(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_ParamDef* /*params*/[],
                        PF_LayerDef* /*output*/) {
  return PF_Err_NONE;
}
#endif
