// "PF Sampling8 Suite", "PF Sampling16 Suite" and "PF SamplingFloat Suite", version 1: area
// sampling as area_sampling.h describes it. Stable operation names: area_sample, area_sample16,
// area_sample_float; an injected fault returns PF_Err_INTERNAL_STRUCT_DAMAGED unless it carries a
// code, and leaves the destination pixel as it was.
#pragma once

#include "host/suite_registry.h"

namespace host {

void register_sampling_suites(SuiteRegistry& registry);

}  // namespace host
