#include "params/param_checkout.h"

PF_Err ParamCheckout::Checkout(PF_InData* in_data, PF_ParamIndex index) {
  Checkin();
  def_ = PF_ParamDef{};
  const PF_Err err = in_data->inter.checkout_param(in_data->effect_ref, index, in_data->current_time,
                                                   in_data->time_step, in_data->time_scale, &def_);
  if (err == PF_Err_NONE) in_data_ = in_data;
  return err;
}

PF_Err ParamCheckout::Checkin() {
  if (in_data_ == nullptr) return PF_Err_NONE;
  PF_InData* in_data = in_data_;
  in_data_ = nullptr;
  return in_data->inter.checkin_param(in_data->effect_ref, &def_);
}
