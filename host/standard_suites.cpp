#include "host/standard_suites.h"

#include "host/host_functions.h"
#include "host/sampling_suites.h"
#include "host/world_suites.h"

namespace host {

namespace {

constexpr PF_HandleSuite1 kHandleSuite = {host_new_handle, host_lock_handle, host_unlock_handle,
                                          host_dispose_handle, host_get_handle_size};
constexpr PF_ANSISuite1 kANSISuite = {host_sprintf};
constexpr AEGP_UtilitySuite7 kUtilitySuite = {AEGP_RegisterWithAEGP};

}  // namespace

void register_handle_suites(SuiteRegistry& registry) {
  registry.add(kPFHandleSuite, kPFHandleSuiteVersion1, &kHandleSuite);
  registry.add(kPFHandleSuite, kPFHandleSuiteVersion2, &kHandleSuite);
}

void register_ansi_suite(SuiteRegistry& registry) {
  registry.add(kPFANSISuite, kPFANSISuiteVersion1, &kANSISuite);
}

void register_utility_suite(SuiteRegistry& registry) {
  registry.add(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7, &kUtilitySuite);
}

void register_standard_suites(SuiteRegistry& registry) {
  register_handle_suites(registry);
  register_ansi_suite(registry);
  register_utility_suite(registry);
  register_world_suites(registry);
  register_sampling_suites(registry);
  register_aegp_effect_suites(registry);
  register_param_utils_suites(registry);
}

}  // namespace host
