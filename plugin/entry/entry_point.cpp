// The plug-in's one export: routes each command to its handler and turns an error code thrown below
// it into the command's result, so nothing thrown ever reaches the host.
#include "../params/params.h"
#include "../render/render_handlers.h"
#include "lifecycle.h"
#include "pf_host_interface.h"
#include "variant.h"

#if defined(_WIN32)
#define ZELKRA_EXPORT __declspec(dllexport)
#else
#define ZELKRA_EXPORT __attribute__((visibility("default")))
#endif

namespace {

PF_Err Dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                PF_LayerDef* output, void* extra) {
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return About(in_data, out_data, params, output);
    case PF_Cmd_GLOBAL_SETUP:
      return GlobalSetup(in_data, out_data, params, output);
    case PF_Cmd_GLOBAL_SETDOWN:
      if constexpr (variant::kHandlesGlobalSetdown) return GlobalSetdown(in_data);
      return PF_Err_NONE;
    case PF_Cmd_PARAMS_SETUP:
      return ParamsSetup(in_data, out_data, params, output);
    case PF_Cmd_SEQUENCE_SETUP:
    case PF_Cmd_SEQUENCE_RESETUP:
      return SequenceSetup(in_data, out_data);
    case PF_Cmd_SEQUENCE_SETDOWN:
      return SequenceSetdown(in_data, out_data);
    case PF_Cmd_USER_CHANGED_PARAM:
    case PF_Cmd_UPDATE_PARAMS_UI:
      return UserChangedParam(in_data, out_data, params, output, extra);
    case PF_Cmd_SMART_PRE_RENDER:
      return SmartPreRender(in_data, out_data, static_cast<PF_PreRenderExtra*>(extra));
    case PF_Cmd_SMART_RENDER:
      return SmartRender(in_data, out_data, static_cast<PF_SmartRenderExtra*>(extra));
    default:
      return PF_Err_NONE;
  }
}

}  // namespace

extern "C" ZELKRA_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                               PF_ParamDef* params[], PF_LayerDef* output, void* extra) {
  PF_Err err = PF_Err_NONE;
  try {
    err = Dispatch(cmd, in_data, out_data, params, output, extra);
  } catch (PF_Err thrown) {
    err = variant::CaughtErrorResult(thrown);
  }
  return err;
}
