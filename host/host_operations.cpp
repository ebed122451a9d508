#include "host/host_operations.h"

#include <algorithm>

namespace host {
namespace {

constexpr HostOperation kOperations[] = {
    {"AcquireSuite", "no suite, kSPSuiteNotFoundError"},
    {"ReleaseSuite", "kSPSuiteNotFoundError; the suite stays held"},
    {"host_new_handle", "no handle"},
    {"host_lock_handle", "no pointer"},
    {"host_unlock_handle", "nothing: the lock stays"},
    {"host_dispose_handle", "nothing: the handle stays"},
    {"host_get_handle_size", "0"},
    {"sprintf", "-1, nothing written"},
    {"strcpy", "null, nothing copied"},
    {"floor", "NaN"},
    {"ceil", "NaN"},
    {"add_param", "PF_Err_OUT_OF_MEMORY (4)"},
    {"checkout_param", "PF_Err_INTERNAL_STRUCT_DAMAGED (512)"},
    {"checkin_param", "512; the parameter stays checked out"},
    {"abort", "PF_Interrupt_CANCEL"},
    {"progress", "PF_Interrupt_CANCEL"},
    {"fill", "512, the world untouched"},
    {"checkout_layer", "512"},
    {"checkout_layer_pixels", "512"},
    {"checkin_layer_pixels", "512; the pixels stay checked out"},
    {"checkout_output", "512"},
    {"new_world", "PF_Err_OUT_OF_MEMORY (4)"},
    {"dispose_world", "PF_Err_BAD_CALLBACK_PARAM (516); the world stays"},
    {"PF_NewWorld", "PF_Err_OUT_OF_MEMORY (4)"},
    {"PF_DisposeWorld", "516; the world stays"},
    {"PF_GetPixelFormat", "516"},
    {"area_sample", "512, the pixel untouched"},
    {"area_sample16", "512, the pixel untouched"},
    {"area_sample_float", "512, the pixel untouched"},
    {"PF_GetCurrentState", "512"},
    {"PF_HasParamChanged", "512"},
    {"AEGP_RegisterWithAEGP", "A_Err_GENERIC"},
    {"AEGP_GetNewEffectForEffect", "A_Err_GENERIC"},
    {"AEGP_DisposeEffect", "A_Err_GENERIC; the effect reference stays"},
    {"AEGP_GetNewEffectStreamByIndex", "A_Err_GENERIC"},
    {"AEGP_DisposeStream", "A_Err_GENERIC; the stream reference stays"},
    {"AEGP_SetDynamicStreamFlag", "A_Err_GENERIC, the flag unchanged"},
};

}  // namespace

std::span<const HostOperation> host_operations() {
  return kOperations;
}

bool is_host_operation(std::string_view name) {
  return std::any_of(std::begin(kOperations), std::end(kOperations),
                     [name](const HostOperation& op) { return op.name == name; });
}

}  // namespace host
