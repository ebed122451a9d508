// The effect's identity and capabilities, defined once: global setup reports these values and the
// descriptor resource is generated from them, so the two cannot drift apart.
#pragma once

#include "pf_host_interface.h"

namespace effect_properties {

inline constexpr char kName[] = "Zelkra15puzzle";
inline constexpr char kCategory[] = "Zelkra";
inline constexpr char kMatchName[] = "Zelkra15puzzle by Dorvanelo";
inline constexpr char kEntryPointName[] = "EntryPointFunc";

// Version 1.0, release stage, build 1.
inline constexpr A_u_long kVersion = PF_VERSION(1, 0, 0, PF_Stage_RELEASE, 1);
static_assert(kVersion == 0x00080601);

inline constexpr A_long kOutFlags =
    PF_OutFlag_USE_OUTPUT_EXTENT | PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
inline constexpr A_long kOutFlags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE;
static_assert(kOutFlags == 0x06000040 && kOutFlags2 == 0x1400);

// Host interface generation the library is written for.
inline constexpr A_short kSpecVersionMajor = PF_PLUG_IN_VERSION;
inline constexpr A_short kSpecVersionMinor = PF_PLUG_IN_SUBVERS;

// Descriptor-only properties: the property list format the host reads, the effect info flags and the
// reserved info word.
inline constexpr A_short kPiplVersionMajor = 2;
inline constexpr A_short kPiplVersionMinor = 0;
inline constexpr A_u_short kInfoFlags = 0;
inline constexpr A_u_long kReservedInfo = 8;

// Key of the property naming the entry point: it also tells the host the processor the code is for.
#if ZELKRA_VARIANT_32BIT
inline constexpr A_u_long kCodeKey = PF_FOURCC('w', 'x', '8', '6');  // 32-bit x86
#else
inline constexpr A_u_long kCodeKey = PF_FOURCC('8', '6', '6', '4');  // x86-64
#endif

}  // namespace effect_properties
