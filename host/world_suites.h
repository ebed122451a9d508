// "PF World Suite" versions 1 and 2: worlds made for the plug-in during a frame, over WorldBuffer,
// counted in the ledger as Resource::World and freed with the frame if the plug-in does not
// dispose of them. A world made without the clear flag starts with a non-zero byte pattern.
//
// Stable operation names: new_world, dispose_world (version 1); PF_NewWorld, PF_DisposeWorld,
// PF_GetPixelFormat (version 2). An injected fault returns PF_Err_OUT_OF_MEMORY for the two that
// make a world, PF_Err_BAD_CALLBACK_PARAM for the others, unless it carries a code.
//
// The tables are declared here so a test can offer a suite built from them with one function
// replaced.
#pragma once

#include "host/suite_registry.h"
#include "pf_host_interface.h"

namespace host {

extern const PF_WorldSuite1 kWorldSuite1;
extern const PF_WorldSuite2 kWorldSuite2;

void register_world_suites(SuiteRegistry& registry);

}  // namespace host
