// Acquiring and releasing one suite outside a SuiteHandler, with a failure shown to the user:
// the message goes into out_data->return_msg and PF_OutFlag_DISPLAY_ERROR_MESSAGE is set.
#pragma once

#include "pf_host_interface.h"

// Acquires (name, version) into *suite. Returns 0, or 516 with the message (or a default) reported.
PF_Err AcquireSuiteOrReport(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                            const char* message, const void** suite);

// Releases (name, version); the host's own result is ignored. Returns 0, or 516 with the message
// (or a default) reported when there is no basic suite.
PF_Err ReleaseSuiteOrReport(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                            const char* message);
