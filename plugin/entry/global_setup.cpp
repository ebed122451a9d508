#include "../resources/effect_properties.h"
#include "lifecycle.h"
#include "plugin_data.h"
#include "suite_handler.h"
#include "variant.h"

namespace {

// Gives a new handle back to the host unless it was handed over: unlocks it if it is locked and
// disposes of it. Runs on every way out of global setup, a thrown error code included, so a failed
// registration or a missing suite leaves no locked or orphaned handle behind.
class NewHandleGuard {
 public:
  NewHandleGuard(const PF_HandleSuite1* suite, PF_Handle handle) : suite_(suite), handle_(handle) {}
  ~NewHandleGuard() {
    if (locked_) suite_->host_unlock_handle(handle_);
    if (!handed_over_) suite_->host_dispose_handle(handle_);
  }
  NewHandleGuard(const NewHandleGuard&) = delete;
  NewHandleGuard& operator=(const NewHandleGuard&) = delete;

  void* Lock() {
    void* block = suite_->host_lock_handle(handle_);
    locked_ = block != nullptr;
    return block;
  }
  void HandOver() { handed_over_ = true; }

 private:
  const PF_HandleSuite1* suite_;
  PF_Handle handle_;
  bool locked_ = false;
  bool handed_over_ = false;
};

bool RegistersWithHost(A_long appl_id) {
  return !(variant::kSkipsRegistrationUnderPremiere && appl_id == A_long(PF_APPL_ID_PREMIERE));
}

}  // namespace

PF_Err GlobalSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* /*params*/[],
                   PF_LayerDef* /*output*/) {
  PF_Err err = PF_Err_NONE;
  SuiteHandler suites(in_data->pica_basicP);

  out_data->my_version = effect_properties::kVersion;
  out_data->out_flags |= effect_properties::kOutFlags;
  out_data->out_flags2 |= effect_properties::kOutFlags2;

  const PF_HandleSuite1* handle_suite = suites.HandleSuite();
  PF_Handle handle = handle_suite->host_new_handle(sizeof(GlobalData));
  if (handle == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;

  NewHandleGuard guard(handle_suite, handle);
  auto* global = static_cast<GlobalData*>(guard.Lock());
  if (global == nullptr) return err;  // nothing stored, not an error

  global->initialized = 1;
  if (RegistersWithHost(in_data->appl_id)) {
    err = suites.UtilitySuite()->AEGP_RegisterWithAEGP(nullptr, "Error!", &global->plugin_id);
  }
  if (err == PF_Err_NONE) {
    out_data->global_data = handle;
    guard.HandOver();
  }
  return err;
}

PF_Err GlobalSetdown(PF_InData* in_data) {
  SuiteHandler suites(in_data->pica_basicP);
  if (in_data->global_data != nullptr) suites.HandleSuite()->host_dispose_handle(in_data->global_data);
  return PF_Err_NONE;
}
