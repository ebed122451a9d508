#include "render_handlers.h"

// The render pass is not implemented yet: it succeeds without effect.
PF_Err SmartRender(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_SmartRenderExtra* /*extra*/) {
  return PF_Err_NONE;
}
