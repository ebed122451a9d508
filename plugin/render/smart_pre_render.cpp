// Pre-render: the frame's parameter values go into a PuzzleInfo handle that the host carries to
// the render of the same frame; the input layer is checked out for exactly the requested
// rectangle; the output rectangles are reported.
#include "entry/suite_handler.h"
#include "params/param_ids.h"
#include "render/frame_settings.h"
#include "render/render_handlers.h"

namespace {

// The parameters the record is made of, in the order they are checked out.
enum CheckoutSlot { kTime, kMissingTile, kSeed, kRow, kColumn, kReturn, kPosition, kFit, kSlotCount };
constexpr PF_ParamIndex kCheckoutOrder[kSlotCount] = {kParamTime,     kParamMissingTile, kParamSeed,
                                                      kParamRow,      kParamColumn,      kParamReturn,
                                                      kParamPosition, kParamFit};

FrameParamValues ValuesOf(const PF_ParamDef (&defs)[kSlotCount]) {
  FrameParamValues v{};
  v.time = defs[kTime].u.fs_d.value;
  v.missing_tile = defs[kMissingTile].u.fd.value;
  v.seed = defs[kSeed].u.sd.value;
  v.rows = defs[kRow].u.sd.value;
  v.columns = defs[kColumn].u.sd.value;
  v.return_flag = defs[kReturn].u.bd.value;
  v.position = defs[kPosition].u.pd.value;
  v.fit = defs[kFit].u.bd.value;
  return v;
}

}  // namespace

PF_Err SmartPreRender(PF_InData* in_data, PF_OutData* /*out_data*/, PF_PreRenderExtra* extra) {
  PF_Err err = PF_Err_NONE;
  PF_RenderRequest request = extra->input->output_request;
  SuiteHandler suites(in_data->pica_basicP);
  const PF_HandleSuite1* handle_suite = suites.HandleSuite();

  PF_Handle handle = handle_suite->host_new_handle(sizeof(PuzzleInfo));
  if (handle == nullptr) return PF_Err_OUT_OF_MEMORY;
  auto* info = static_cast<PuzzleInfo*>(handle_suite->host_lock_handle(handle));
  if (info == nullptr) {
    // Not yet the host's: give it back rather than lose it.
    handle_suite->host_dispose_handle(handle);
    return PF_Err_OUT_OF_MEMORY;
  }
  // From here on the host holds the record and frees it with the frame, whatever happens next.
  extra->output->pre_render_data = handle;

  PF_ParamDef defs[kSlotCount] = {};
  int checked_out = 0;
  while (checked_out < kSlotCount && err == PF_Err_NONE) {
    err =
        in_data->inter.checkout_param(in_data->effect_ref, kCheckoutOrder[checked_out], in_data->current_time,
                                      in_data->time_step, in_data->time_scale, &defs[checked_out]);
    if (err == PF_Err_NONE) ++checked_out;
  }

  request.preserve_rgb_of_zero_alpha = true;
  PF_CheckoutResult checkout = {};
  if (err == PF_Err_NONE) {
    err = extra->cb->checkout_layer(in_data->effect_ref, kParamInputLayer, 0, &request, in_data->current_time,
                                    in_data->time_step, in_data->time_scale, &checkout);
  }

  if (err == PF_Err_NONE) {
    *info = MakePuzzleInfo(ValuesOf(defs));
    UnionLRect(checkout.result_rect, extra->output->result_rect);
    UnionLRect(checkout.max_result_rect, extra->output->max_result_rect);
  }
  // Every checkout is handed back, on every way out; the values live on in the record.
  for (int slot = 0; slot < checked_out; ++slot)
    in_data->inter.checkin_param(in_data->effect_ref, &defs[slot]);
  return err;
}
