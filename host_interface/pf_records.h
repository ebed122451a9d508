/* The records passed with every command (PF_InData, PF_OutData), their callback tables, and the
 * entry point's signature. */
#ifndef PF_RECORDS_H
#define PF_RECORDS_H

#include "pf_commands.h"
#include "pf_params.h"

struct SPBasicSuite;

/* Callbacks for parameters, cancellation and progress. */
typedef struct {
  PF_Err (*checkout_param)(PF_ProgPtr effect_ref, PF_ParamIndex index, A_long what_time, A_long time_step,
                           A_u_long time_scale, PF_ParamDef* param);
  PF_Err (*checkin_param)(PF_ProgPtr effect_ref, PF_ParamDef* param);
  PF_Err (*add_param)(PF_ProgPtr effect_ref, PF_ParamIndex index, PF_ParamDefPtr def);
  PF_Err (*abort)(PF_ProgPtr effect_ref);
  PF_Err (*progress)(PF_ProgPtr effect_ref, A_long current, A_long total);
} PF_InteractCallbacks;

/* The host's standard functions. */
typedef struct {
  A_FpLong (*ceil)(A_FpLong x);
  A_FpLong (*floor)(A_FpLong x);
  A_long (*sprintf)(A_char* buffer, const A_char* format, ...);
  A_char* (*strcpy)(A_char* dest, const A_char* src);
} PF_ANSICallbacks;

typedef struct {
  PF_Err (*fill)(PF_ProgPtr effect_ref, const PF_Pixel* color, const PF_Rect* dst_rect,
                 PF_EffectWorld* world);
  PF_Handle (*host_new_handle)(A_HandleSize size);
  void (*host_dispose_handle)(PF_Handle handle);
  PF_ANSICallbacks ansi;
} PF_UtilCallbacks;

typedef struct {
  A_short major;
  A_short minor;
} PF_SpecVersion;

typedef struct {
  PF_InteractCallbacks inter;
  PF_UtilCallbacks* utils;
  PF_ProgPtr effect_ref;
  PF_SpecVersion version;
  A_long appl_id;
  A_long num_params;
  A_long current_time;
  A_long time_step;
  A_long total_time;
  A_u_long time_scale;
  A_long width;
  A_long height;
  PF_LRect extent_hint;
  PF_RationalScale downsample_x;
  PF_RationalScale downsample_y;
  PF_RationalScale pixel_aspect_ratio;
  PF_Handle global_data;
  PF_Handle sequence_data;
  PF_Handle frame_data;
  struct SPBasicSuite* pica_basicP;
} PF_InData;

typedef struct {
  A_u_long my_version;
  A_char name[PF_MAX_EFFECT_NAME_LEN + 1];
  PF_Handle global_data;
  A_long num_params;
  PF_Handle sequence_data;
  A_long flat_sdata_size;
  PF_Handle frame_data;
  A_long width;
  A_long height;
  PF_OutFlags out_flags;
  A_char return_msg[PF_MAX_EFFECT_MSG_LEN + 1];
  PF_OutFlags2 out_flags2;
} PF_OutData;

/* The extra record of PF_Cmd_USER_CHANGED_PARAM: the parameter the user changed. */
typedef struct {
  PF_ParamIndex param_index;
} PF_UserChangedParamExtra;

/* The plug-in's one export. */
typedef PF_Err (*PF_EntryPointFunc)(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                    PF_ParamDef* params[], PF_LayerDef* output, void* extra);

#endif
