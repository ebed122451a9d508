#include "host/gate.h"
#include "host/host_functions.h"
#include "host/session.h"

namespace host {

A_Err AEGP_RegisterWithAEGP(AEGP_GlobalRefcon global_refcon, const A_char* plugin_name,
                            AEGP_PluginID* plugin_id) {
  if (auto fault = gate("AEGP_RegisterWithAEGP", global_refcon, plugin_name))
    return fault->code_or(A_Err_GENERIC);
  if (plugin_name == nullptr || plugin_id == nullptr) return A_Err_GENERIC;
  *plugin_id = current_session().register_plugin(plugin_name);
  return 0;
}

}  // namespace host
