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
  const HandleFunctions functions = HandleFunctionsOf(in_data_->utils);
  if (grid_.Make(functions, count * sizeof(TileRect)) && current_.Make(functions, count * sizeof(int32_t)) &&
      previous_.Make(functions, count * sizeof(int32_t))) {
    return PF_Err_NONE;
  }

  in_data_->utils->ansi.strcpy(out_data->return_msg, "Memory Error!");
  out_data->out_flags |= PF_OutFlag_DISPLAY_ERROR_MESSAGE;
  return PF_Err_INTERNAL_STRUCT_DAMAGED;
}

void RenderTables::Dispose() {
  grid_.Dispose();
  current_.Dispose();
  previous_.Dispose();
}
