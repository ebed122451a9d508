// The records the plug-in keeps in host handles between commands.
#pragma once

#include "pf_host_interface.h"

// Plug-in-wide data, created at global setup and handed to the host in out_data->global_data.
struct GlobalData {
  A_Boolean initialized;    // 1 once global setup has run
  AEGP_PluginID plugin_id;  // the id the host gave at registration
};

// Per-instance data until parameter tracking replaces it with the host's PF_State: one byte, 0.
struct SequenceData {
  A_u_char placeholder;
};
static_assert(sizeof(SequenceData) == 1);
