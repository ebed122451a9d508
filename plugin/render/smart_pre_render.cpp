#include "render_handlers.h"

// The pre-render pass is not implemented yet: it succeeds without effect.
PF_Err SmartPreRender(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_PreRenderExtra* /*extra*/) {
  return PF_Err_NONE;
}
