// The host functions that reach the plug-in through suites and the utility callbacks and get no
// context argument: they work on the calling thread's current session. Each goes through the gate
// under its own name.
#pragma once

#include "pf_host_interface.h"

namespace host {

// Handle suite (versions 1 and 2) and utility callbacks.
PF_Handle host_new_handle(A_HandleSize size);         // fails: null
void* host_lock_handle(PF_Handle handle);             // fails: null
void host_unlock_handle(PF_Handle handle);            // fails: nothing happens
void host_dispose_handle(PF_Handle handle);           // fails: nothing happens (the handle stays)
A_HandleSize host_get_handle_size(PF_Handle handle);  // fails: 0; an unknown handle: 0, misuse noted

// ANSI functions (utility callbacks and "PF ANSI Suite").
// sprintf writes at most kSprintfLimit bytes, the terminator included: the largest buffer the
// interface gives the plug-in to format into is return_msg. Fails: returns -1, writes nothing.
inline constexpr int kSprintfLimit = PF_MAX_EFFECT_MSG_LEN + 1;
A_long host_sprintf(A_char* buffer, const A_char* format, ...);
A_char* host_strcpy(A_char* dest, const A_char* src);  // fails: null, copies nothing
A_FpLong host_ceil(A_FpLong x);                        // fails: NaN
A_FpLong host_floor(A_FpLong x);                       // fails: NaN

// "AEGP Utility Suite" v7. Fails: its error code (default A_Err_GENERIC), no id written.
inline constexpr A_Err A_Err_GENERIC = 1;
A_Err AEGP_RegisterWithAEGP(AEGP_GlobalRefcon global_refcon, const A_char* plugin_name,
                            AEGP_PluginID* plugin_id);

}  // namespace host
