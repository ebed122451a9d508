// Pre-render: the frame's parameter values go into a PuzzleInfo handle that the host carries to
// the render of the same frame; the input layer is checked out for exactly the requested
// rectangle; the output rectangles are reported.
#include "entry/new_handle.h"
#include "entry/suite_handler.h"
#include "params/param_checkout.h"
#include "params/param_ids.h"
#include "render/frame_settings.h"
#include "render/render_handlers.h"

namespace {

// The parameters the record is made of, in the order they are checked out.
enum CheckoutSlot { kTime, kMissingTile, kSeed, kRow, kColumn, kReturn, kPosition, kFit, kSlotCount };
constexpr PF_ParamIndex kCheckoutOrder[kSlotCount] = {kParamTime,     kParamMissingTile, kParamSeed,
                                                      kParamRow,      kParamColumn,      kParamReturn,
                                                      kParamPosition, kParamFit};

FrameParamValues ValuesOf(const ParamCheckout (&params)[kSlotCount]) {
  FrameParamValues v{};
  v.time = params[kTime].def().u.fs_d.value;
  v.missing_tile = params[kMissingTile].def().u.fd.value;
  v.seed = params[kSeed].def().u.sd.value;
  v.rows = params[kRow].def().u.sd.value;
  v.columns = params[kColumn].def().u.sd.value;
  v.return_flag = params[kReturn].def().u.bd.value;
  v.position = params[kPosition].def().u.pd.value;
  v.fit = params[kFit].def().u.bd.value;
  return v;
}

}  // namespace

PF_Err SmartPreRender(PF_InData* in_data, PF_OutData* /*out_data*/, PF_PreRenderExtra* extra) {
  PF_Err err = PF_Err_NONE;
  PF_RenderRequest request = extra->input->output_request;
  SuiteHandler suites(in_data->pica_basicP);
  const PF_HandleSuite1* handle_suite = suites.HandleSuite();

  NewHandle handle;
  if (!handle.Make(HandleFunctionsOf(handle_suite), sizeof(PuzzleInfo))) return PF_Err_OUT_OF_MEMORY;
  // Not yet the host's while it cannot be locked: given back rather than lost.
  auto* info = static_cast<PuzzleInfo*>(handle.Lock());
  if (info == nullptr) return PF_Err_OUT_OF_MEMORY;
  // From here on the host holds the record, locked, and frees it with the frame, whatever happens
  // next.
  extra->output->pre_render_data = handle.HandOver();

  ParamCheckout params[kSlotCount];
  for (int slot = 0; slot < kSlotCount && err == PF_Err_NONE; ++slot) {
    err = params[slot].Checkout(in_data, kCheckoutOrder[slot]);
  }

  request.preserve_rgb_of_zero_alpha = true;
  PF_CheckoutResult checkout = {};
  if (err == PF_Err_NONE) {
    err = extra->cb->checkout_layer(in_data->effect_ref, kParamInputLayer, 0, &request, in_data->current_time,
                                    in_data->time_step, in_data->time_scale, &checkout);
  }

  if (err == PF_Err_NONE) {
    *info = MakePuzzleInfo(ValuesOf(params));
    UnionLRect(checkout.result_rect, extra->output->result_rect);
    UnionLRect(checkout.max_result_rect, extra->output->max_result_rect);
  }
  // Every checkout is handed back in the order it was made, on every way out; the values live on
  // in the record.
  for (ParamCheckout& param : params) param.Checkin();
  return err;
}
