/* Effect suites: handles, worlds, area sampling, standard functions, parameter state. */
#ifndef PF_SUITES_H
#define PF_SUITES_H

#include "pf_basic_types.h"
#include "pf_params.h"

#define kPFHandleSuite "PF Handle Suite"
#define kPFHandleSuiteVersion1 1
#define kPFHandleSuiteVersion2 2
/* Versions 1 and 2 share this table. */
typedef struct {
  PF_Handle (*host_new_handle)(A_HandleSize size);
  void* (*host_lock_handle)(PF_Handle handle);
  void (*host_unlock_handle)(PF_Handle handle);
  void (*host_dispose_handle)(PF_Handle handle);
  A_HandleSize (*host_get_handle_size)(PF_Handle handle);
} PF_HandleSuite1;

#define kPFWorldSuite "PF World Suite"
#define kPFWorldSuiteVersion1 1
#define kPFWorldSuiteVersion2 2
typedef struct {
  PF_Err (*new_world)(PF_ProgPtr effect_ref, A_long width, A_long height, PF_NewWorldFlags flags,
                      PF_EffectWorld* world);
  PF_Err (*dispose_world)(PF_ProgPtr effect_ref, PF_EffectWorld* world);
} PF_WorldSuite1;

typedef struct {
  PF_Err (*PF_NewWorld)(PF_ProgPtr effect_ref, A_long width, A_long height, PF_Boolean clear_pixB,
                        PF_PixelFormat pixel_format, PF_EffectWorld* world);
  PF_Err (*PF_DisposeWorld)(PF_ProgPtr effect_ref, PF_EffectWorld* world);
  PF_Err (*PF_GetPixelFormat)(const PF_EffectWorld* world, PF_PixelFormat* pixel_format);
} PF_WorldSuite2;

/* Area sampling: everything but the radii and the source is neutral at zero. */
typedef struct {
  PF_Fixed x_radius;
  PF_Fixed y_radius;
  PF_Fixed area;
  PF_EffectWorld* src;
  A_long samp_behave;
  A_long allow_asynch;
  A_long motion_blur;
  A_long comp_mode;
  PF_PixelPtr mask0;
  A_u_char* fcm_table_red;
  A_u_char* fcm_table_green;
  A_u_char* fcm_table_blue;
} PF_SampPB;

#define kPFSampling8Suite "PF Sampling8 Suite"
#define kPFSampling8SuiteVersion1 1
typedef struct {
  PF_Err (*area_sample)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params,
                        PF_Pixel* dst);
} PF_Sampling8Suite1;

#define kPFSampling16Suite "PF Sampling16 Suite"
#define kPFSampling16SuiteVersion1 1
typedef struct {
  PF_Err (*area_sample16)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params,
                          PF_Pixel16* dst);
} PF_Sampling16Suite1;

#define kPFSamplingFloatSuite "PF SamplingFloat Suite"
#define kPFSamplingFloatSuiteVersion1 1
typedef struct {
  PF_Err (*area_sample_float)(PF_ProgPtr effect_ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params,
                              PF_PixelFloat* dst);
} PF_SamplingFloatSuite1;

#define kPFANSISuite "PF ANSI Suite"
#define kPFANSISuiteVersion1 1
typedef struct {
  A_long (*sprintf)(A_char* buffer, const A_char* format, ...);
} PF_ANSISuite1;

/* The host's snapshot of an effect's parameters; opaque to the plug-in. */
typedef struct {
  A_u_long reserved[4];
} PF_State;

#define kPFParamUtilsSuite "PF Param Utils Suite"
#define kPFParamUtilsSuiteVersion1 1
#define kPFParamUtilsSuiteVersion2 2
/* Versions 1 and 2 share this table. */
typedef struct {
  PF_Err (*PF_GetCurrentState)(PF_ProgPtr effect_ref, PF_State* state);
  PF_Err (*PF_HasParamChanged)(PF_ProgPtr effect_ref, const PF_State* state, PF_ParamIndex param_index,
                               PF_Boolean* changed);
} PF_ParamUtilsSuite1;

#endif
