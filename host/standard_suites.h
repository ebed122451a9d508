// The suites a Session offers from the start.
//
// To offer another suite: put its functions in a file of their own (each starting with
// `gate("<its name>", args...)`), a static table of them, and a `register_<suite>(SuiteRegistry&)`
// that adds the table under its name and version(s); then call that from register_standard_suites.
#pragma once

#include "host/suite_registry.h"

namespace host {

void register_standard_suites(SuiteRegistry& registry);

// "PF Handle Suite" versions 1 and 2.
void register_handle_suites(SuiteRegistry& registry);
// "PF ANSI Suite" version 1.
void register_ansi_suite(SuiteRegistry& registry);
// "AEGP Utility Suite" version 7.
void register_utility_suite(SuiteRegistry& registry);
// "AEGP PF Interface Suite" v1, "AEGP Stream Suite" v7, "AEGP Dynamic Stream Suite" v2 and
// "AEGP Effect Suite" v2.
void register_aegp_effect_suites(SuiteRegistry& registry);
// "PF Param Utils Suite" versions 1 and 2.
void register_param_utils_suites(SuiteRegistry& registry);

}  // namespace host
