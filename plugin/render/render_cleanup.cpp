#include "render/render_cleanup.h"

#include "entry/suite_report.h"

PF_Err WorldSuite2Hold::Acquire() {
  const void* suite = nullptr;
  const PF_Err err = AcquireSuiteOrReport(in_data_, out_data_, kPFWorldSuite, kPFWorldSuiteVersion2,
                                          "Couldn't load suite.", &suite);
  if (err == PF_Err_NONE) suite_ = static_cast<const PF_WorldSuite2*>(suite);
  return err;
}

PF_Err WorldSuite2Hold::Release() {
  if (suite_ == nullptr) return PF_Err_NONE;
  suite_ = nullptr;
  return ReleaseSuiteOrReport(in_data_, out_data_, kPFWorldSuite, kPFWorldSuiteVersion2,
                              "Couldn't release suite.");
}

PF_Err RenderTables::Allocate(int32_t tile_count, PF_OutData* out_data) {
  const A_HandleSize count = static_cast<A_HandleSize>(tile_count);
  grid_ = in_data_->utils->host_new_handle(count * sizeof(TileRect));
  if (grid_ != nullptr) current_ = in_data_->utils->host_new_handle(count * sizeof(int32_t));
  if (current_ != nullptr) previous_ = in_data_->utils->host_new_handle(count * sizeof(int32_t));
  if (previous_ != nullptr) return PF_Err_NONE;

  in_data_->utils->ansi.strcpy(out_data->return_msg, "Memory Error!");
  out_data->out_flags |= PF_OutFlag_DISPLAY_ERROR_MESSAGE;
  return PF_Err_INTERNAL_STRUCT_DAMAGED;
}

void RenderTables::Dispose() {
  PF_Handle* const handles[] = {&grid_, &current_, &previous_};
  for (PF_Handle* handle : handles) {
    if (*handle != nullptr) {
      in_data_->utils->host_dispose_handle(*handle);
      *handle = nullptr;
    }
  }
}

PF_Err ParamCheckout::Checkout(PF_ParamIndex index) {
  def_ = PF_ParamDef{};
  const PF_Err err = in_data_->inter.checkout_param(in_data_->effect_ref, index, in_data_->current_time,
                                                    in_data_->time_step, in_data_->time_scale, &def_);
  held_ = err == PF_Err_NONE;
  return err;
}

void ParamCheckout::Checkin() {
  if (!held_) return;
  held_ = false;
  in_data_->inter.checkin_param(in_data_->effect_ref, &def_);
}
