// A parameter checked out from the host at the current time, checked in again on every way out.
#pragma once

#include "pf_host_interface.h"

class ParamCheckout {
 public:
  ParamCheckout() = default;
  ~ParamCheckout() { Checkin(); }
  ParamCheckout(const ParamCheckout&) = delete;
  ParamCheckout& operator=(const ParamCheckout&) = delete;

  // Checks out parameter `index` at in_data's current time, step and scale; the host's result.
  // On failure nothing is held.
  PF_Err Checkout(PF_InData* in_data, PF_ParamIndex index);
  // Checks the parameter in if it is held; the host's result (0 when nothing was held).
  PF_Err Checkin();
  const PF_ParamDef& def() const { return def_; }

 private:
  PF_InData* in_data_ = nullptr;  // set while the parameter is held
  PF_ParamDef def_ = {};
};
