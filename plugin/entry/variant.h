// Where the two deliverables built from this source behave differently. ZELKRA_VARIANT_32BIT is set
// by the build for the 32-bit deliverable (Zelkra15puzzle) and clear for the 64-bit one
// (Zelkra15puzzle_CS5); everything else in the plug-in reads these constants instead of the macro.
#pragma once

#include "pf_host_interface.h"

#ifndef ZELKRA_VARIANT_32BIT
#error "ZELKRA_VARIANT_32BIT must be set to 0 or 1 by the build"
#endif

namespace variant {

inline constexpr bool k32Bit = ZELKRA_VARIANT_32BIT != 0;

// Suite versions that differ between the two host generations.
inline constexpr int32_t kHandleSuiteVersion = k32Bit ? kPFHandleSuiteVersion1 : kPFHandleSuiteVersion2;
inline constexpr int32_t kParamUtilsSuiteVersion =
    k32Bit ? kPFParamUtilsSuiteVersion1 : kPFParamUtilsSuiteVersion2;

// The 64-bit deliverable disposes of its global data at global setdown; the 32-bit one leaves the
// selector unhandled.
inline constexpr bool kHandlesGlobalSetdown = !k32Bit;

// The 64-bit deliverable skips registration when Premiere Pro hosts it; the 32-bit one always registers.
inline constexpr bool kSkipsRegistrationUnderPremiere = !k32Bit;

// The result the entry point returns for an error code thrown below it.
constexpr PF_Err CaughtErrorResult(PF_Err thrown) {
  return k32Bit ? thrown : PF_Err(PF_Err_INTERNAL_STRUCT_DAMAGED);
}

}  // namespace variant
