/* Everything a plug-in and its host share: include this one header. */
#ifndef PF_HOST_INTERFACE_H
#define PF_HOST_INTERFACE_H

#include "aegp_suites.h"
#include "pf_basic_types.h"
#include "pf_commands.h"
#include "pf_params.h"
#include "pf_records.h"
#include "pf_smart_render.h"
#include "pf_suites.h"
#include "sp_basic_suite.h"

#endif
