/* Parameter definitions: the record a plug-in fills to declare a parameter and receives when it
 * checks one out. */
#ifndef PF_PARAMS_H
#define PF_PARAMS_H

#include "pf_basic_types.h"

#define PF_MAX_EFFECT_NAME_LEN 31
#define PF_MAX_EFFECT_PARAM_NAME_LEN 31
#define PF_MAX_PARAM_VALUE_LEN 31
#define PF_MAX_PARAM_DESCRIPTION_LEN 31
#define PF_MAX_EFFECT_MSG_LEN 255

typedef A_long PF_ParamType;
enum {
  PF_Param_LAYER = 0,
  PF_Param_SLIDER = 1,
  PF_Param_FIX_SLIDER = 2,
  PF_Param_CHECKBOX = 4,
  PF_Param_POPUP = 7,
  PF_Param_FLOAT_SLIDER = 10
};

typedef A_long PF_ParamFlags;
typedef A_long PF_ParamUIFlags;

typedef A_short PF_ValueDisplayFlags;
#define PF_ValueDisplayFlag_NONE 0
#define PF_ValueDisplayFlag_PERCENT 1

enum { PF_Precision_INTEGER = 0, PF_Precision_TENTHS = 1, PF_Precision_HUNDREDTHS = 2 };

typedef A_long PF_FSliderFlags;
#define PF_FSliderFlag_NONE 0L
#define PF_FSliderFlag_WANT_PHASE 1L

#define PF_LayerDefault_NONE 0L
#define PF_LayerDefault_MYSELF (-1L)

typedef struct {
  A_long value;
  A_char value_str[PF_MAX_PARAM_VALUE_LEN + 1];
  A_char value_desc[PF_MAX_PARAM_DESCRIPTION_LEN + 1];
  A_long valid_min, valid_max;
  A_long slider_min, slider_max;
  A_long dephault;
} PF_SliderDef;

typedef struct {
  PF_Fixed value;
  A_char value_str[PF_MAX_PARAM_VALUE_LEN + 1];
  A_char value_desc[PF_MAX_PARAM_DESCRIPTION_LEN + 1];
  PF_Fixed valid_min, valid_max;
  PF_Fixed slider_min, slider_max;
  PF_Fixed dephault;
  A_short precision;
  A_short display_flags;
} PF_FixedSliderDef;

typedef struct {
  PF_FpLong value;
  PF_FpLong phase;
  A_char value_desc[PF_MAX_PARAM_DESCRIPTION_LEN + 1];
  PF_FpShort valid_min, valid_max;
  PF_FpShort slider_min, slider_max;
  PF_FpShort dephault;
  A_short precision;
  A_short display_flags;
  PF_FSliderFlags fs_flags;
  PF_FpShort curve_tolerance;
} PF_FloatSliderDef;

typedef struct {
  A_long value;
  A_short num_choices;
  A_short dephault;
  const A_char* namesptr; /* choices separated by '|', numbered from 1 */
} PF_PopupDef;

typedef struct {
  A_long value;
  PF_Boolean dephault;
  const A_char* nameptr; /* label shown beside the box */
} PF_CheckBoxDef;

typedef union {
  PF_LayerDef ld; /* a layer: its pixel data is null while no layer delivers pixels */
  PF_SliderDef sd;
  PF_FixedSliderDef fd;
  PF_CheckBoxDef bd;
  PF_PopupDef pd;
  PF_FloatSliderDef fs_d;
} PF_ParamDefUnion;

typedef struct {
  union {
    A_long id;
    A_long change_flags;
  } uu;
  PF_ParamUIFlags ui_flags;
  A_short ui_width;
  A_short ui_height;
  PF_ParamType param_type;
  A_char name[PF_MAX_EFFECT_PARAM_NAME_LEN + 1];
  PF_ParamFlags flags;
  A_long unused;
  PF_ParamDefUnion u;
} PF_ParamDef, *PF_ParamDefPtr, **PF_ParamList;

/* Special parameter indices for change queries. */
#define PF_ParamIndex_CHECK_ALL (-1L)
#define PF_ParamIndex_CHECK_ALL_EXCEPT_LAYER_PARAMS (-2L)
#define PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE (-3L)

#endif
