// The two passes of a smart render: pre-render (frame settings, what the effect needs and produces)
// and render (the pixels).
#pragma once

#include "pf_host_interface.h"

PF_Err SmartPreRender(PF_InData* in_data, PF_OutData* out_data, PF_PreRenderExtra* extra);
PF_Err SmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra);
