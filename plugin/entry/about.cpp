#include "lifecycle.h"
#include "suite_handler.h"
#include "variant.h"

PF_Err About(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* /*params*/[], PF_LayerDef* /*output*/) {
#if ZELKRA_VARIANT_32BIT
  SuiteHandler suites(in_data->pica_basicP);
  suites.ANSISuite()->sprintf(out_data->return_msg, "%s, v%d.%d\r%s", "Zelkra15Puzzle", 1, 0, "Diridiridar!");
#else
  in_data->utils->ansi.sprintf(out_data->return_msg, "%s, v%d.%d%d\r%s", "Zelkra15puzzle", 1, 0, 0,
                               "Diridiridar!");
#endif
  return PF_Err_NONE;
}
