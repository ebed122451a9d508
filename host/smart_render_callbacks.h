// The callback tables of the smart-render passes. They work on the calling thread's current frame
// (see frame_context.h); outside a frame they fail with PF_Err_BAD_CALLBACK_PARAM.
//
// Stable operation names: checkout_layer, checkout_layer_pixels, checkin_layer_pixels,
// checkout_output. An injected fault returns PF_Err_INTERNAL_STRUCT_DAMAGED unless it carries a code.
#pragma once

#include "pf_host_interface.h"

namespace host {

PF_PreRenderCallbacks pre_render_callbacks();
PF_SmartRenderCallbacks smart_render_callbacks();

}  // namespace host
