// Stand-in for the effect's entry point, linked like the real plug-in: proves that a library without
// the C runtime loads, exports EntryPointFunc undecorated and throws and catches an error code across
// frames. Selector 0 throws 516 from a nested call and returns the caught code; others return 0.
#include "pf_host_interface.h"

namespace {

[[gnu::noinline]] void AcquireMissingSuite(PF_Cmd cmd) {
  if (cmd == PF_Cmd_ABOUT) throw PF_Err{PF_Err_BAD_CALLBACK_PARAM};
}

}  // namespace

extern "C" PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* /*in_data*/, PF_OutData* /*out_data*/,
                                 PF_ParamDef* /*params*/[], PF_LayerDef* /*output*/, void* /*extra*/) {
  try {
    AcquireMissingSuite(cmd);
  } catch (PF_Err err) {
    return err;
  }
  return PF_Err_NONE;
}
