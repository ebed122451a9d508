/* Application-level suites: registration, effect and stream references, stream flags. */
#ifndef AEGP_SUITES_H
#define AEGP_SUITES_H

#include "pf_basic_types.h"

typedef A_long A_Err;
typedef A_long AEGP_PluginID;
typedef void* AEGP_GlobalRefcon;
typedef struct _AEGP_EffectRefH* AEGP_EffectRefH;
typedef struct _AEGP_StreamRefH* AEGP_StreamRefH;

typedef A_long AEGP_DynStreamFlags;
#define AEGP_DynStreamFlag_ACTIVE_EYEBALL 1L
#define AEGP_DynStreamFlag_HIDDEN 2L
#define AEGP_DynStreamFlag_DISABLED 16L

#define kAEGPUtilitySuite "AEGP Utility Suite"
#define kAEGPUtilitySuiteVersion7 7
typedef struct {
  A_Err (*AEGP_RegisterWithAEGP)(AEGP_GlobalRefcon global_refcon, const A_char* plugin_name,
                                 AEGP_PluginID* plugin_id);
} AEGP_UtilitySuite7;

#define kAEGPPFInterfaceSuite "AEGP PF Interface Suite"
#define kAEGPPFInterfaceSuiteVersion1 1
typedef struct {
  A_Err (*AEGP_GetNewEffectForEffect)(AEGP_PluginID plugin_id, PF_ProgPtr effect_ref,
                                      AEGP_EffectRefH* effect);
} AEGP_PFInterfaceSuite1;

#define kAEGPStreamSuite "AEGP Stream Suite"
#define kAEGPStreamSuiteVersion7 7
typedef struct {
  A_Err (*AEGP_GetNewEffectStreamByIndex)(AEGP_PluginID plugin_id, AEGP_EffectRefH effect,
                                          PF_ParamIndex index, AEGP_StreamRefH* stream);
  A_Err (*AEGP_DisposeStream)(AEGP_StreamRefH stream);
} AEGP_StreamSuite7;

#define kAEGPDynamicStreamSuite "AEGP Dynamic Stream Suite"
#define kAEGPDynamicStreamSuiteVersion2 2
typedef struct {
  A_Err (*AEGP_SetDynamicStreamFlag)(AEGP_StreamRefH stream, AEGP_DynStreamFlags flag, A_Boolean undoable,
                                     A_Boolean set);
} AEGP_DynamicStreamSuite2;

#define kAEGPEffectSuite "AEGP Effect Suite"
#define kAEGPEffectSuiteVersion2 2
typedef struct {
  A_Err (*AEGP_DisposeEffect)(AEGP_EffectRefH effect);
} AEGP_EffectSuite2;

#endif
