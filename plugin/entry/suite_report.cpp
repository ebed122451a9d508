#include "suite_report.h"

namespace {

PF_Err Report(PF_InData* in_data, PF_OutData* out_data, const char* message) {
  out_data->out_flags |= PF_OutFlag_DISPLAY_ERROR_MESSAGE;
  // The message is its own format: it holds no % conversions.
  in_data->utils->ansi.sprintf(out_data->return_msg, message);
  return PF_Err_BAD_CALLBACK_PARAM;
}

}  // namespace

PF_Err AcquireSuiteOrReport(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                            const char* message, const void** suite) {
  if (in_data->pica_basicP != nullptr) {
    in_data->pica_basicP->AcquireSuite(name, version, suite);
    if (*suite != nullptr) return PF_Err_NONE;
  }
  return Report(in_data, out_data, message != nullptr ? message : "Not able to acquire AEFX Suite.");
}

PF_Err ReleaseSuiteOrReport(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                            const char* message) {
  if (in_data->pica_basicP != nullptr) {
    in_data->pica_basicP->ReleaseSuite(name, version);
    return PF_Err_NONE;
  }
  return Report(in_data, out_data, message != nullptr ? message : "Not able to release AEFX Suite.");
}
